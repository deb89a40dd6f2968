#include "reports/report.h"

const char* const ReportFontFamily = "Liberation Sans";

QString ReportFooterLine() {
    return QStringLiteral("Orva - książka kasowa rady rodziców · zespół Orva · www.orva.example");
}

QSizeF PageFormat::PaperMm() const {
    const QSizeF portrait = QPageSize(size).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QRectF PageFormat::BodyMm() const {
    const QSizeF paper = PaperMm();
    return QRectF(margins.left(), margins.top(), paper.width() - margins.left() - margins.right(),
                  paper.height() - margins.top() - margins.bottom());
}

QPageLayout PageFormat::SheetLayout() const {
    return QPageLayout(QPageSize(size), orientation, QMarginsF(), QPageLayout::Millimeter);
}

PageFormat PageFormat::LandscapeLetter(double margin) {
    PageFormat f;
    f.size = QPageSize::Letter;
    f.orientation = QPageLayout::Landscape;
    f.margins = QMarginsF(margin, margin, margin, margin);
    return f;
}

bool PageFormat::operator==(const PageFormat& other) const {
    return size == other.size && orientation == other.orientation && margins == other.margins;
}

ReportPage& Report::AddPage(const PageFormat& format) {
    pages.append(ReportPage{format, {}});
    return pages.last();
}

int Area::Text(double x, double y, double w, double h, const QString& text,
               const TextStyle& style) {
    page_->items.append(TextItem{Box(x, y, w, h), text, style, -1});
    return page_->items.size() - 1;
}

void Area::Flow(int from, int to) {
    if (from >= 0 && from < to && to < page_->items.size())
        std::get<TextItem>(page_->items[from]).flowTo = to;
}

void Area::Line(double x1, double y1, double x2, double y2, double width, Qt::PenStyle style) {
    page_->items.append(
        LineItem{origin_ + QPointF(x1, y1), origin_ + QPointF(x2, y2), width, style});
}

void Area::Rect(double x, double y, double w, double h, double width) {
    page_->items.append(RectItem{Box(x, y, w, h), QColor(), true, width});
}

void Area::Fill(double x, double y, double w, double h, const QColor& color, bool outline) {
    page_->items.append(RectItem{Box(x, y, w, h), color, outline, 0.26});
}
