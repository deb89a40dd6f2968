#include "reference/nrrk.h"

#include "data/db.h"
#include "reference/poczatkowe.h"
#include "shell/inputfields.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TNrRk* NrRk = nullptr;

// --- TUpDown ------------------------------------------------------------------

TUpDown::TUpDown(QLineEdit* associate, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), Minimum(minimum), Maximum(maximum), associate_(associate) {
    const QRect field = associate->geometry();
    setGeometry(field.right() + 1, field.top(), 17, field.height());
    auto arrow = [this](const char* name, Qt::ArrowType type, int top, int step) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(0, top, width(), height() / 2);
        connect(button, &QToolButton::clicked, this, [this, step] { StepBy(step); });
        return button;
    };
    UpBut = arrow("UpBut", Qt::UpArrow, 0, 1);
    DownBut = arrow("DownBut", Qt::DownArrow, height() / 2, -1);
}

void TUpDown::StepBy(int step) {
    bool ok = false;
    const int current = associate_->text().toInt(&ok);
    const int from = ok ? qBound(Minimum, current, Maximum) : Minimum;
    associate_->setText(QString::number(qBound(Minimum, from + step, Maximum)));
}

// --- TNrRk --------------------------------------------------------------------

TNrRk::TNrRk(QWidget* parent) : TForm(parent, "NrRk", QStringLiteral("Zamknięcie RK"), 342, 172) {
    AddLabel(this, QStringLiteral("Utwórz następny RK"), QRect(24, 24, 200, 16));
    EdNr = AddEdit(this, "EdNr", QRect(24, 44, 121, 24));
    EdNr->setText(QStringLiteral("1"));
    UpDownBut = new TUpDown(EdNr, 1, 32767, this);
    UpDownBut->setObjectName(QStringLiteral("UpDownBut"));
    ZapiszBut = AddButton(this, "ZapiszBut", QStringLiteral("Zapisz"), QRect(118, 118, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Wyjdź"), QRect(226, 118, 100, 34));
    Input::AttachKeyFilter(EdNr, [this](QLineEdit* e, QChar k) { return EdNrKeyPress(e, k); });
    EdNr->installEventFilter(this);
    QWidget::setTabOrder(EdNr, ZapiszBut);
    QWidget::setTabOrder(ZapiszBut, ZamknijBut);
    connect(ZapiszBut, &QPushButton::clicked, this, &TNrRk::ZapiszButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TNrRk::ZamknijButClick);
}

bool TNrRk::EdNrKeyPress(QLineEdit*, QChar key) {
    return Input::NumberKey(key);
}

bool TNrRk::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EdNr)
        return TForm::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        // Let the field finish the click first: it may drop a selection.
        static_cast<QObject*>(EdNr)->event(event);
        EdNrClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            UpDownBut->StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return false;
}

void TNrRk::EdNrClick() {
    EdNr->selectAll();
}

void TNrRk::FormShow() {
    QVariant docId;
    DB->RunAction([&] {
        docId = DB->Scalar(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'"));
    });
    EdNr->setText(QString::number(docId.toInt() + 1));
    EdNr->setFocus();
}

void TNrRk::ZapiszButClick() {
    int number = 0;
    const QString tooSmall = QStringLiteral("Musisz wpisać numer Raportu kasowego większy od 0.");
    if (EdNr->text().isEmpty()) {
        Refuse(EdNr, tooSmall);
        return;
    }
    if (!Input::ReadNumber(EdNr, &number))
        return;
    // Number 0 is what bank-statement lines read as: no cash report.
    if (number < 1) {
        Refuse(EdNr, tooSmall);
        return;
    }
    bool saved = false;
    DB->RunAction([&] {
        DB->Exec(QStringLiteral("UPDATE SYSCOUNT SET DOCID=:DOCID WHERE ID_SYSCOUNT='5'"),
                 {{QStringLiteral("DOCID"), number}});
        if (!TPoczatkowe::LedgerHasDocuments())
            DB->Exec(QStringLiteral("UPDATE STANP SET NRK=:NRK WHERE ID_STANP='1'"),
                     {{QStringLiteral("NRK"), number}});
        saved = DB->CommitWork();
    });
    if (!saved)
        return;
    ReopenRegister();
    accept();
}

void TNrRk::ZamknijButClick() {
    reject();
}
