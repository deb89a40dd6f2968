#pragma once
#include "reports/report.h"

#include <QSqlRecord>
#include <functional>

using DrawBand = std::function<void(Area&)>;

// Lays out one page set of a report as bands stacked from the top of the
// printable area: a page header and a page footer on every page, and the
// bands added in between, each on a new page of the set when it does not
// fit above the footer. Several writers on one report make several page
// sets (each with its own paper and margins); page numbers run over the
// whole report (PageTokens).
class BandWriter {
  public:
    BandWriter(Report& report, const PageFormat& format);

    // Set before the first band.
    void SetPageHeader(double height, DrawBand draw);
    void SetPageFooter(double height, DrawBand draw);

    // Adds a band `height` millimetres high below the previous one.
    void Add(double height, const DrawBand& draw);
    // One band per row, drawn by draw(area, row, index from 0).
    void AddRows(const QVector<QSqlRecord>& rows, double height,
                 const std::function<void(Area&, const QSqlRecord&, int)>& draw);
    // Starts the next page of the set at once.
    void NewPage();
    // Height left on the current page above the footer (0 before the first band).
    double SpaceLeft() const;
    int PageCount() const { return pages_; }

  private:
    double Bottom() const;

    Report& report_;
    PageFormat format_;
    double headerHeight_ = 0, footerHeight_ = 0;
    DrawBand header_, footer_;
    int pageIndex_ = -1; // index in the report of the current page
    int pages_ = 0;
    double y_ = 0;
};
