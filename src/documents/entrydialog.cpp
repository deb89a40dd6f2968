#include "documents/entrydialog.h"

#include "data/db.h"
#include "data/polish.h"
#include "documents/controls.h"
#include "documents/memo.h"
#include "documents/szukajf.h"
#include "documents/wyborkto.h"
#include "shell/docview.h"
#include "shell/inputfields.h"
#include "shell/main.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

TEntryDialog::TEntryDialog(QWidget* parent, const char* name, const QString& caption, int width,
                           int height)
    : TForm(parent, name, caption, width, height) {}

void TEntryDialog::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    PlacePrintBox();
}

void TEntryDialog::resizeEvent(QResizeEvent* event) {
    TForm::resizeEvent(event);
    PlacePrintBox();
}

QTabWidget* TEntryDialog::NewPageControl() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, &TEntryDialog::PlacePrintBox);
    return tabs_;
}

QCheckBox* TEntryDialog::NewPrintBox(const char* name, const QString& caption) {
    printBox_ = new QCheckBox(caption, this);
    printBox_->setObjectName(QLatin1String(name));
    return printBox_;
}

TMemo* TEntryDialog::NewDescription(QWidget* parent, int height) {
    auto* memo = new TMemo(120, parent);
    memo->setObjectName(QStringLiteral("EdOpis"));
    memo->setFixedHeight(height);
    return memo;
}

void TEntryDialog::NewInsertBeforeBox(QWidget* parent) {
    CheckWstaw = new QCheckBox(QStringLiteral("Wstaw przed zaznaczonym dokumentem"), parent);
    CheckWstaw->setObjectName(QStringLiteral("CheckWstaw"));
}

void TEntryDialog::PlacePrintBox() {
    if (!printBox_ || !tabs_)
        return;
    const auto* strip = tabs_->currentWidget()->findChild<QFrame*>(Controls::StripName(),
                                                                   Qt::FindDirectChildrenOnly);
    if (!strip)
        return;
    const QPoint at = strip->mapTo(this, QPoint(0, 0));
    printBox_->adjustSize();
    printBox_->move(at.x() + 8, at.y() - printBox_->height() - 4);
    printBox_->raise();
}

void TEntryDialog::OpenCategorySearch(int target) {
    if (Main)
        Main->SearchTarget = target;
    if (SzukajF)
        SzukajF->exec();
}

void TEntryDialog::OpenPayerChooser(int target) {
    if (!WyborKto)
        return;
    WyborKto->Target = target;
    WyborKto->exec();
}

void TEntryDialog::OnF9(QWidget* field, std::function<void()> open) {
    f9_.insert(field, std::move(open));
    field->installEventFilter(this);
}

bool TEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto it = f9_.constFind(watched);
        if (it != f9_.constEnd() && key->key() == Qt::Key_F9 && !key->isAutoRepeat())
            (*it)();
    }
    return TForm::eventFilter(watched, event);
}

bool TEntryDialog::RefuseTyping() {
    DB->Ui().Show(QStringLiteral("Błąd"),
                  QStringLiteral("Nie można tu nic wpisywać ręcznie, należy wybrać z listy."),
                  MsgIcon::Exclamation);
    return false;
}

void TEntryDialog::ClearIfNotAmount(QLineEdit* field) {
    if (!field->text().isEmpty() && !Polish::ParseMoney(field->text(), nullptr))
        field->setText(QString());
}

QLabel* TEntryDialog::NewLabel(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

QDateEdit* TEntryDialog::NewDateEdit(QWidget* parent, const char* name) {
    auto* date = new QDateEdit(parent);
    date->setObjectName(QLatin1String(name));
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setFixedWidth(110);
    return date;
}

QLineEdit* TEntryDialog::NewEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* TEntryDialog::NewAmountField(QWidget* parent, const char* name,
                                        std::function<void()> onAccepted) {
    QLineEdit* edit = NewEdit(parent, name);
    edit->setFixedWidth(120);
    Input::AttachKeyFilter(edit, [onAccepted](QLineEdit* field, QChar key) {
        if (!Input::AmountKey(field, key))
            return false;
        if (onAccepted)
            onAccepted();
        return true;
    });
    return edit;
}

QLineEdit* TEntryDialog::NewCategoryField(QWidget* parent, const char* name, bool withPopup) {
    QLineEdit* edit = NewEdit(parent, name);
    edit->setReadOnly(true);
    Input::AttachKeyFilter(edit, [](QLineEdit*, QChar) { return RefuseTyping(); });
    if (!withPopup)
        return edit;
    if (!PopupMenu1) {
        PopupMenu1 = new QMenu(this);
        PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
        Usu1 = PopupMenu1->addAction(QStringLiteral("Usuń"));
        Usu1->setObjectName(QStringLiteral("Usu1"));
    }
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint& pos) {
        PopupComponent = edit;
        PopupMenu1->popup(edit->mapToGlobal(pos));
    });
    return edit;
}

QToolButton* TEntryDialog::NewPickButton(QWidget* parent, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(button->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    button->setToolTip(QStringLiteral("Wybierz z listy (F9)"));
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TEntryDialog::SetEnabled(const QList<QWidget*>& widgets, bool enabled) {
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

bool TEntryDialog::Refuse(QWidget* field, const QString& text) {
    // Bring forward the tab holding the field.
    for (QWidget* w = field; w && w != this; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs)
            tabs->setCurrentWidget(w);
    }
    TForm::Refuse(field, text);
    return false;
}

bool TEntryDialog::ReadAmount(QLineEdit* field, double* value) {
    if (Polish::ParseMoney(field->text(), value))
        return true;
    return Refuse(
        field, QStringLiteral("Wpisana wartość „%1” nie jest poprawną kwotą.").arg(field->text()));
}

bool TEntryDialog::WithinLimit(QLineEdit* field, double value) {
    if (value <= MaxAmount)
        return true;
    return Refuse(field,
                  QStringLiteral("Zbyt duża kwota. Największa kwota, jaką można zapisać, to %1.")
                      .arg(Polish::Money(MaxAmount)));
}

void TEntryDialog::SetNewDocumentDates(QDateEdit* date) {
    const QDate today = QDate::currentDate();
    const QDate last =
        DB->Scalar(QStringLiteral("SELECT FIRST 1 DATA FROM DOKUMENT ORDER BY NRPOZ DESC"))
            .toDate();
    date->setDateRange(last.isValid() ? last : today.addDays(-10000), today.addDays(10000));
    date->setDate(today); // held at the lower bound when the last line is dated later
}

QString TEntryDialog::ProposeNumber(const QString& sql, const QString& warning) {
    const Rows rows = DB->Select(sql);
    if (rows.isEmpty())
        return QStringLiteral("1");
    bool whole = false;
    const qlonglong last = rows.first().value(0).toString().toLongLong(&whole);
    if (whole && last < std::numeric_limits<qlonglong>::max())
        return QString::number(last + 1);
    DB->Ui().Show(QStringLiteral("Ostrzeżenie"), warning, MsgIcon::Exclamation);
    return QString();
}

void TEntryDialog::Save() {
    const QDate date = EdData->date();
    const bool newDocument = !Main || Main->EntryMode == 1;
    const Outcome outcome = RunSave([&] {
        if (!newDocument)
            return SaveCorrection();
        if (CheckWstaw->isChecked())
            return SaveInsertBefore();
        return SaveNewDocument(date.month(), date.year());
    });
    if (outcome == Outcome::Stopped)
        return; // nothing kept; the input stays for another try
    if (outcome == Outcome::Written && printBox_ && printBox_->isChecked() && VoucherPrinter)
        VoucherPrinter(DB->NextNrDok);
    accept();
}

TEntryDialog::Outcome TEntryDialog::RunSave(const std::function<Outcome()>& branch) {
    stopField_ = nullptr;
    stopText_.clear();
    Outcome outcome = Outcome::Stopped;
    const bool ok = DB->RunAction([&] {
        DB->PreviousNrRk = 0;
        outcome = branch();
        if (outcome == Outcome::Written && !DB->CommitWork())
            outcome = Outcome::Stopped;
    });
    if (!ok)
        outcome = Outcome::Stopped;
    if (stopField_)
        Refuse(stopField_, stopText_);
    if (outcome != Outcome::Stopped && DocView)
        DocView->Reload();
    return outcome;
}

TEntryDialog::Outcome TEntryDialog::StopWith(QWidget* field, const QString& text) {
    stopField_ = field;
    stopText_ = text;
    return Outcome::Stopped;
}
