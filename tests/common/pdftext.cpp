#include "common/pdftext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>

namespace PdfText {

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

constexpr double MmPerPoint = 25.4 / 72;

} // namespace

QVector<Word> Words(const QString& pdf) {
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QVector<Word> words;
    int page = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        Word w;
        w.page = page;
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * MmPerPoint,
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * MmPerPoint);
        w.text = QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText();
        words << w;
    }
    return words;
}

QString Text(const QString& pdf, int page) {
    // Built from the words' places: pdftotext's own text runs small words
    // together when a page carries no space glyphs.
    QVector<Word> words;
    for (const Word& w : Words(pdf))
        if (page < 0 || w.page == page)
            words << w;
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return a.page != b.page ? a.page < b.page : a.box.bottom() < b.box.bottom();
    });
    // Words whose baselines lie within 1 mm form one line, read left to right.
    QVector<QVector<Word>> lines;
    for (const Word& w : words) {
        if (lines.isEmpty() || lines.last().first().page != w.page ||
            w.box.bottom() - lines.last().first().box.bottom() > 1)
            lines.append(QVector<Word>());
        lines.last() << w;
    }
    QString text;
    for (int i = 0; i < lines.size(); ++i) {
        QVector<Word>& line = lines[i];
        std::sort(line.begin(), line.end(),
                  [](const Word& a, const Word& b) { return a.box.left() < b.box.left(); });
        if (i > 0)
            text += line.first().page != lines[i - 1].first().page ? QLatin1Char('\f')
                                                                   : QLatin1Char('\n');
        QStringList texts;
        for (const Word& w : line)
            texts << w.text;
        text += texts.join(QLatin1Char(' '));
    }
    return text;
}

QVector<Word> Find(const QVector<Word>& words, const QString& text, int page) {
    QVector<Word> found;
    for (const Word& w : words)
        if (w.page == page && w.text == text)
            found << w;
    std::sort(found.begin(), found.end(),
              [](const Word& a, const Word& b) { return a.box.top() < b.box.top(); });
    return found;
}

QVector<QSizeF> PageSizes(const QString& pdf) {
    const QString info =
        Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("9999"), pdf});
    static const QRegularExpression size(
        QStringLiteral("Page +\\d+ size: +([0-9.]+) x ([0-9.]+) pts"));
    QVector<QSizeF> sizes;
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * MmPerPoint;
    }
    return sizes;
}

} // namespace PdfText
