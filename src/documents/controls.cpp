#include "documents/controls.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>

namespace Controls {

QToolButton* NewFlatButton(QWidget* parent, const char* name, const QString& caption,
                           QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(button->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setMinimumSize(90, 30);
    return button;
}

QFrame* NewButtonStrip(QWidget* parent, const QList<QWidget*>& buttons) {
    auto* strip = new QFrame(parent);
    strip->setObjectName(StripName());
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFrameShadow(QFrame::Raised);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 3, 6, 3);
    for (int i = 0; i < buttons.size(); ++i) {
        if (i == buttons.size() - 1)
            row->addStretch();
        row->addWidget(buttons.at(i));
    }
    return strip;
}

QString StripName() {
    return QStringLiteral("ButtonStrip");
}

} // namespace Controls
