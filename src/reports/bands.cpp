#include "reports/bands.h"

BandWriter::BandWriter(Report& report, const PageFormat& format)
    : report_(report), format_(format) {}

void BandWriter::SetPageHeader(double height, DrawBand draw) {
    headerHeight_ = height;
    header_ = std::move(draw);
}

void BandWriter::SetPageFooter(double height, DrawBand draw) {
    footerHeight_ = height;
    footer_ = std::move(draw);
}

double BandWriter::Bottom() const {
    return format_.BodyMm().height() - footerHeight_;
}

void BandWriter::NewPage() {
    ReportPage& page = report_.AddPage(format_);
    pageIndex_ = report_.pages.size() - 1;
    ++pages_;
    y_ = 0;
    if (header_) {
        Area area(page);
        header_(area);
    }
    y_ = headerHeight_;
    if (footer_) {
        Area area(page, QPointF(0, Bottom()));
        footer_(area);
    }
}

double BandWriter::SpaceLeft() const {
    return pageIndex_ < 0 ? 0 : Bottom() - y_;
}

void BandWriter::Add(double height, const DrawBand& draw) {
    // A band taller than a whole page still goes on a page of its own.
    if (pageIndex_ < 0 || (height > SpaceLeft() && y_ > headerHeight_))
        NewPage();
    Area area(report_.pages[pageIndex_], QPointF(0, y_));
    draw(area);
    y_ += height;
}

void BandWriter::AddRows(const QVector<QSqlRecord>& rows, double height,
                         const std::function<void(Area&, const QSqlRecord&, int)>& draw) {
    for (int i = 0; i < rows.size(); ++i)
        Add(height, [&](Area& area) { draw(area, rows[i], i); });
}
