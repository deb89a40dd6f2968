#include "reports/render.h"

#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

namespace {

// Inner padding of a text box, so that text never touches its frame.
constexpr double GapXMm = 0.5;
constexpr double GapYMm = 0.25;

class PageRenderer {
  public:
    PageRenderer(QPainter& painter, const Report& report, int index)
        : p_(painter), page_(report.pages[index]), number_(QString::number(index + 1)),
          count_(QString::number(report.pages.size())) {
        QPaintDevice* device = painter.device();
        pxX_ = device->logicalDpiX() / 25.4;
        pxY_ = device->logicalDpiY() / 25.4;
        // Items are placed from the corner of the printable area.
        offset_ = page_.format.BodyMm().topLeft();
    }

    void Draw() {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::TextAntialiasing);
        for (int i = 0; i < page_.items.size(); ++i) {
            const ReportItem& item = page_.items[i];
            if (const auto* text = std::get_if<TextItem>(&item))
                DrawText(i, *text);
            else if (const auto* line = std::get_if<LineItem>(&item))
                DrawLine(*line);
            else
                DrawRect(std::get<RectItem>(item));
        }
        p_.restore();
    }

  private:
    QPointF Px(const QPointF& mm) const {
        return QPointF((mm.x() + offset_.x()) * pxX_, (mm.y() + offset_.y()) * pxY_);
    }
    QRectF Px(const QRectF& mm) const {
        return QRectF(Px(mm.topLeft()), QSizeF(mm.width() * pxX_, mm.height() * pxY_));
    }

    QPen Pen(double widthMm, Qt::PenStyle style) const {
        QPen pen(Qt::black, qMax(widthMm * pxX_, 1.0), style);
        pen.setCapStyle(style == Qt::SolidLine ? Qt::SquareCap : Qt::RoundCap);
        return pen;
    }

    void DrawLine(const LineItem& line) {
        p_.setPen(Pen(line.width, line.style));
        p_.drawLine(Px(line.from), Px(line.to));
    }

    void DrawRect(const RectItem& rect) {
        const QRectF box = Px(rect.box);
        if (rect.fill.isValid())
            p_.fillRect(box, rect.fill);
        if (rect.outline) {
            p_.setPen(Pen(rect.width, Qt::SolidLine));
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(box);
        }
    }

    void DrawFrame(const QRectF& box, int sides) {
        if (sides == FrameNone)
            return;
        p_.setPen(Pen(0.26, Qt::SolidLine));
        if (sides & FrameLeft)
            p_.drawLine(box.topLeft(), box.bottomLeft());
        if (sides & FrameTop)
            p_.drawLine(box.topLeft(), box.topRight());
        if (sides & FrameRight)
            p_.drawLine(box.topRight(), box.bottomRight());
        if (sides & FrameBottom)
            p_.drawLine(box.bottomLeft(), box.bottomRight());
    }

    static QFont Font(const TextStyle& style) {
        QFont font(QString::fromLatin1(ReportFontFamily));
        font.setPointSizeF(style.size);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        // Unhinted outlines keep the same widths at every resolution, so a
        // page breaks its lines alike on the screen, on paper and in a PDF.
        font.setHintingPreference(QFont::PreferNoHinting);
        return font;
    }

    QString Prepared(QString text) const {
        text.replace(PageTokens::Number, number_);
        text.replace(PageTokens::Count, count_);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        return text;
    }

    // Lays the text out in lines of `width` pixels.
    void Layout(QTextLayout& layout, const TextStyle& style, double width) const {
        QTextOption option(style.align & Qt::AlignHorizontal_Mask);
        option.setWrapMode(style.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                      : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        double y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
    }

    // Without word wrap each line keeps only the characters that fit
    // within `width` (a character may reach into the box's padding).
    static QString CutLines(const QTextLayout& layout, double width) {
        QStringList lines;
        const QString text = layout.text();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const int start = line.textStart();
            int end = start + line.textLength();
            if (end > start && text.at(end - 1) == QChar::LineSeparator)
                --end;
            if (line.naturalTextWidth() > width) {
                const double left = line.cursorToX(start);
                while (end > start && line.cursorToX(end) - left > width)
                    --end;
            }
            lines << text.mid(start, end - start);
        }
        return lines.join(QChar::LineSeparator);
    }

    void DrawText(int index, const TextItem& item) {
        const QRectF box = Px(item.box);
        DrawFrame(box, item.style.frame);
        QString text = Prepared(flowed_.contains(index) ? flowed_.take(index) : item.text);

        p_.save();
        QRectF local = box;
        if (item.style.rotation == 90) {
            p_.translate(box.bottomLeft());
            p_.rotate(-90);
            local = QRectF(0, 0, box.height(), box.width());
        }
        const QRectF inner =
            local.adjusted(GapXMm * pxX_, GapYMm * pxY_, -GapXMm * pxX_, -GapYMm * pxY_);
        const QFont font = Font(item.style);
        QTextLayout layout(text, font, p_.device());
        Layout(layout, item.style, inner.width());
        if (!item.style.wrap && layout.lineCount() > 0) {
            const QString cut = CutLines(layout, inner.width() + GapXMm * pxX_);
            if (cut != text) {
                layout.clearLayout();
                layout.setText(cut);
                Layout(layout, item.style, inner.width());
            }
        }

        // Lines whose baseline lies inside the box are drawn (at least the
        // first); the rest goes on to the box this one flows into.
        int shown = 0;
        double height = 0;
        while (shown < layout.lineCount()) {
            const QTextLine line = layout.lineAt(shown);
            if (shown > 0 && line.y() + line.ascent() > local.height() - GapYMm * pxY_)
                break;
            height = line.y() + line.height();
            ++shown;
        }
        if (item.flowTo >= 0) {
            flowed_[item.flowTo] = shown < layout.lineCount()
                                       ? layout.text().mid(layout.lineAt(shown).textStart())
                                       : QString();
        }

        double top = inner.top();
        if (item.style.align & Qt::AlignVCenter)
            top = inner.top() + (inner.height() - height) / 2;
        else if (item.style.align & Qt::AlignBottom)
            top = inner.bottom() - height;
        p_.setClipRect(local, Qt::IntersectClip);
        p_.setPen(item.style.color);
        for (int i = 0; i < shown; ++i)
            layout.lineAt(i).draw(&p_, QPointF(inner.left(), top));
        p_.restore();
    }

    QPainter& p_;
    const ReportPage& page_;
    QString number_, count_;
    double pxX_ = 1, pxY_ = 1;
    QPointF offset_;
    QHash<int, QString> flowed_; // text handed on to a later box
};

} // namespace

void RenderPage(QPainter& painter, const Report& report, int index) {
    if (index < 0 || index >= report.pages.size())
        return;
    PageRenderer(painter, report, index).Draw();
}

QImage PageImage(const Report& report, int index, int dpi) {
    if (index < 0 || index >= report.pages.size())
        return QImage();
    const QSizeF paper = report.pages[index].format.PaperMm();
    QImage image(qRound(paper.width() / 25.4 * dpi), qRound(paper.height() / 25.4 * dpi),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderPage(painter, report, index);
    painter.end();
    return image;
}
