#pragma once
#include <QList>
#include <QStyle>

class QFrame;
class QToolButton;
class QWidget;

// Building blocks shared by the document windows.
namespace Controls {
// A flat button with a picture and its caption beside it.
QToolButton* NewFlatButton(QWidget* parent, const char* name, const QString& caption,
                           QStyle::StandardPixmap icon);
// A framed strip at the bottom of a window: the buttons from the left, the
// last one at the right end.
QFrame* NewButtonStrip(QWidget* parent, const QList<QWidget*>& buttons);
// The object name of every such strip.
QString StripName();
} // namespace Controls
