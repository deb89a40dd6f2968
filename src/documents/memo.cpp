#include "documents/memo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextCursor>

TMemo::TMemo(int maxLength, QWidget* parent) : QPlainTextEdit(parent), maxLength_(maxLength) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Whatever reaches the text by other ways (drop, undo) is cut as well.
    connect(this, &QPlainTextEdit::textChanged, this, &TMemo::CutToLimit);
}

void TMemo::setText(const QString& text) {
    setPlainText(text.left(maxLength_));
}

int TMemo::Room() const {
    const int selected = textCursor().selectedText().size();
    return maxLength_ - (toPlainText().size() - selected);
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = isReturn ? QStringLiteral("\n") : event->text();
    const bool inserts = !typed.isEmpty() && (isReturn || typed.at(0).isPrint()) &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (inserts && Room() < typed.size()) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    const int room = Room();
    if (room <= 0) {
        QApplication::beep();
        return;
    }
    insertPlainText(source->text().left(room));
}

void TMemo::CutToLimit() {
    const QString all = toPlainText();
    if (all.size() <= maxLength_)
        return;
    const QSignalBlocker block(this);
    setPlainText(all.left(maxLength_));
    moveCursor(QTextCursor::End);
}
