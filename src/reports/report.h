#pragma once
#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <variant>

// A report is a list of pages; each page holds items placed in millimetres
// from the top-left corner of its printable area (inside the margins). The
// same pages are drawn on the screen, on a printer and into a PDF.

// Paper, orientation and margins (millimetres) of one page.
struct PageFormat {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};

    // Paper size as oriented, in millimetres.
    QSizeF PaperMm() const;
    // The printable area, in millimetres from the paper's corner.
    QRectF BodyMm() const;
    // The layout a printer or PDF writer is given: the whole sheet, without
    // margins, because items carry the margins themselves.
    QPageLayout SheetLayout() const;
    bool operator==(const PageFormat& other) const;

    // US Letter, landscape, with the same margin on every side.
    static PageFormat LandscapeLetter(double margin);
};

enum FrameSide {
    FrameNone = 0,
    FrameLeft = 1,
    FrameTop = 2,
    FrameRight = 4,
    FrameBottom = 8,
    FrameAll = 15
};

// The font every report uses: metric-compatible with Arial.
extern const char* const ReportFontFamily;
// The line naming the program, its maker and web address at the foot of
// printed pages.
QString ReportFooterLine();

struct TextStyle {
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    // Word wrap within the box; otherwise each line is cut at the box's edge.
    bool wrap = false;
    int frame = FrameNone; // FrameSide flags
    // 0, or 90 for text written bottom to top.
    int rotation = 0;
    QColor color = Qt::black;

    TextStyle& Size(double points) {
        size = points;
        return *this;
    }
    TextStyle& Bold(bool on = true) {
        bold = on;
        return *this;
    }
    TextStyle& Italic(bool on = true) {
        italic = on;
        return *this;
    }
    TextStyle& Align(Qt::Alignment a) {
        align = a;
        return *this;
    }
    TextStyle& Wrap(bool on = true) {
        wrap = on;
        return *this;
    }
    TextStyle& Frame(int sides) {
        frame = sides;
        return *this;
    }
    TextStyle& Rotate(int degrees) {
        rotation = degrees;
        return *this;
    }
};

struct TextItem {
    QRectF box; // mm
    QString text;
    TextStyle style;
    // Index (on the same page) of a later text item that receives the lines
    // of this text (laid out with word wrap) that do not fit in this box;
    // -1 for none.
    int flowTo = -1;
};

struct LineItem {
    QPointF from, to;    // mm
    double width = 0.26; // mm
    Qt::PenStyle style = Qt::SolidLine;
};

struct RectItem {
    QRectF box;  // mm
    QColor fill; // invalid: not filled
    bool outline = true;
    double width = 0.26; // mm
};

using ReportItem = std::variant<TextItem, LineItem, RectItem>;

struct ReportPage {
    PageFormat format;
    QVector<ReportItem> items;
};

// Placeholders that any text item may hold; replaced when a page is drawn.
namespace PageTokens {
inline const QString Number = QStringLiteral("[PAGE]");
inline const QString Count = QStringLiteral("[PAGES]");
// "N z M": the page number and the page count of the whole report.
inline QString NOfM() {
    return Number + QStringLiteral(" z ") + Count;
}
} // namespace PageTokens

struct Report {
    QString title;
    QVector<ReportPage> pages;
    // For tabular reports: the rows the CSV export writes (first row the
    // column titles). Empty when the report has no table.
    QVector<QStringList> table;

    ReportPage& AddPage(const PageFormat& format);
};

// A place to draw on one page: coordinates are millimetres from its origin,
// which is itself given from the top-left corner of the printable area.
class Area {
  public:
    Area(ReportPage& page, QPointF origin = {}) : page_(&page), origin_(origin) {}

    // An area whose origin lies (dx, dy) further.
    Area Shifted(double dx, double dy) const { return Area(*page_, origin_ + QPointF(dx, dy)); }
    QPointF Origin() const { return origin_; }
    ReportPage& Page() const { return *page_; }

    // Adds a text box; returns its index on the page (for Flow).
    int Text(double x, double y, double w, double h, const QString& text,
             const TextStyle& style = {});
    // Whatever of item `from` does not fit its box continues in item `to`.
    void Flow(int from, int to);
    void Line(double x1, double y1, double x2, double y2, double width = 0.26,
              Qt::PenStyle style = Qt::SolidLine);
    void HLine(double x1, double x2, double y) { Line(x1, y, x2, y); }
    void VLine(double x, double y1, double y2) { Line(x, y1, x, y2); }
    void Rect(double x, double y, double w, double h, double width = 0.26);
    void Fill(double x, double y, double w, double h, const QColor& color, bool outline = false);

  private:
    QRectF Box(double x, double y, double w, double h) const {
        return QRectF(origin_.x() + x, origin_.y() + y, w, h);
    }

    ReportPage* page_;
    QPointF origin_;
};
