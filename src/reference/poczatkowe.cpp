#include "reference/poczatkowe.h"

#include "data/db.h"
#include "shell/inputfields.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPoczatkowe* Poczatkowe = nullptr;

namespace {
const char* const kLockText = "Zapisywanie nimożliwe, ponieważ są już wprowadzone dokumenty.";
} // namespace

TPoczatkowe::TPoczatkowe(QWidget* parent)
    : TForm(parent, "Poczatkowe", QStringLiteral("Wartości początkowe"), 422, 324) {
    const struct {
        const char* name;
        QString label;
        QLineEdit** edit;
    } fields[] = {
        {"EdWartoscC", QStringLiteral("Całkowita wartość początkowa środków"), &EdWartoscC},
        {"EdWartoscG", QStringLiteral("Wartość początkowa gotówki w kasie"), &EdWartoscG},
        {"EdNrDok", QStringLiteral("Nr początkowy dokomentów"), &EdNrDok},
        {"EdNrPoz", QStringLiteral("Nr początkowy pozycji"), &EdNrPoz},
        {"EdNrRk", QStringLiteral("Nr początkowy Raportu kasowego"), &EdNrRk},
    };
    int top = 20;
    for (const auto& field : fields) {
        AddLabel(this, field.label, QRect(16, top + 4, 240, 16));
        *field.edit = AddEdit(this, field.name, QRect(262, top, 140, 24));
        top += 36;
    }
    LBlokada = AddLabel(this, QString::fromUtf8(kLockText), QRect(16, 200, 390, 40), "LBlokada");
    LBlokada->setWordWrap(true);
    LBlokada->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 252, 406, 62);
    ZapiszBut = AddButton(Panel1, "ZapiszBut", QStringLiteral("Zapisz"), QRect(182, 14, 100, 34));
    ZamknijBut = AddButton(Panel1, "ZamknijBut", QStringLiteral("Wyjdź"), QRect(292, 14, 100, 34));

    for (QLineEdit* edit : {EdWartoscC, EdWartoscG})
        Input::AttachKeyFilter(edit,
                               [this](QLineEdit* e, QChar k) { return EdWartoscCKeyPress(e, k); });
    for (QLineEdit* edit : {EdNrDok, EdNrPoz, EdNrRk})
        Input::AttachKeyFilter(edit,
                               [this](QLineEdit* e, QChar k) { return EdNrDokKeyPress(e, k); });
    QWidget::setTabOrder(EdWartoscC, EdWartoscG);
    QWidget::setTabOrder(EdWartoscG, EdNrDok);
    QWidget::setTabOrder(EdNrDok, EdNrPoz);
    QWidget::setTabOrder(EdNrPoz, EdNrRk);
    QWidget::setTabOrder(EdNrRk, ZapiszBut);
    QWidget::setTabOrder(ZapiszBut, ZamknijBut);

    connect(ZapiszBut, &QPushButton::clicked, this, &TPoczatkowe::ZapiszButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TPoczatkowe::ZamknijButClick);
}

bool TPoczatkowe::EdWartoscCKeyPress(QLineEdit* sender, QChar key) {
    return Input::AmountKey(sender, key);
}

bool TPoczatkowe::EdNrDokKeyPress(QLineEdit*, QChar key) {
    return Input::NumberKey(key);
}

bool TPoczatkowe::LedgerHasDocuments() {
    return !DB->Select(QStringLiteral("SELECT FIRST 1 ID_DOKUMENT FROM DOKUMENT")).isEmpty();
}

void TPoczatkowe::SetLocked(bool locked) {
    LBlokada->setVisible(locked);
    ZapiszBut->setEnabled(!locked);
}

void TPoczatkowe::FormShow() {
    Rows rows;
    bool locked = false;
    DB->RunAction([&] {
        rows = DB->Select(QStringLiteral("SELECT * FROM STANP WHERE ID_STANP='1'"));
        locked = LedgerHasDocuments();
    });
    const QSqlRecord row = rows.value(0);
    auto amount = [&row](const char* column) {
        const QVariant v = row.value(QLatin1String(column));
        return v.isNull() ? QString() : Input::PlainAmount(v.toDouble());
    };
    auto number = [&row](const char* column) {
        return row.value(QLatin1String(column)).toString();
    };
    EdWartoscC->setText(amount("WARTOSC"));
    EdWartoscG->setText(amount("KASAWARTOSC"));
    EdNrDok->setText(number("LICZNIKSTART"));
    EdNrPoz->setText(number("LICZNIKPOZ"));
    EdNrRk->setText(number("NRK"));
    SetLocked(locked);
    EdWartoscC->setFocus();
}

bool TPoczatkowe::CheckFields(double* total, double* cash, int* nrDok, int* nrPoz, int* nrRk) {
    if (EdWartoscC->text().isEmpty()) {
        Refuse(EdWartoscC,
               QStringLiteral("Musisz wpisać wartość początkową środków lub wpisać 0."));
        return false;
    }
    if (EdWartoscG->text().isEmpty()) {
        Refuse(EdWartoscG,
               QStringLiteral("Musisz wpisać wartość początkową gotówki w kasie lub wpisać 0."));
        return false;
    }
    if (!Input::ReadAmount(EdWartoscC, total) || !Input::ReadAmount(EdWartoscG, cash))
        return false;
    if (*cash > *total) {
        Refuse(EdWartoscC,
               QStringLiteral(
                   "Stan gotówki w kasie nie może być większy od całkowitej wartości środków."));
        return false;
    }
    const QString nrDokText =
        QStringLiteral("Musisz wpisać numer początkowy dokumentów większy od 0.");
    const QString nrPozText =
        QStringLiteral("Musisz wpisać numer początkowy pozycji większy od 1, ponieważ 1 "
                       "jest zarezerwowane dla bilansu początkowego");
    const QString nrRkText =
        QStringLiteral("Musisz wpisać numer początkowy Raportu kasowego większy od 0.");
    // Each number: empty, then not a number, then too small.
    const struct {
        QLineEdit* edit;
        int* value;
        int minimum;
        QString emptyText;
        QString smallText;
    } numbers[] = {
        {EdNrDok, nrDok, 1, nrDokText, nrDokText},
        {EdNrPoz, nrPoz, 2, nrPozText + QLatin1Char('.'), nrPozText},
        {EdNrRk, nrRk, 1, nrRkText, nrRkText},
    };
    for (const auto& n : numbers) {
        if (n.edit->text().isEmpty()) {
            Refuse(n.edit, n.emptyText);
            return false;
        }
        if (!Input::ReadNumber(n.edit, n.value))
            return false;
        if (*n.value < n.minimum) {
            Refuse(n.edit, n.smallText);
            return false;
        }
    }
    return true;
}

void TPoczatkowe::ZapiszButClick() {
    double total = 0, cash = 0;
    int nrDok = 0, nrPoz = 0, nrRk = 0;
    if (!CheckFields(&total, &cash, &nrDok, &nrPoz, &nrRk))
        return;
    bool saved = false;
    bool locked = false;
    DB->RunAction([&] {
        // Another workstation may have entered the first document since
        // the dialog was shown: the opening values are then no longer free.
        locked = LedgerHasDocuments();
        if (locked)
            return;
        DB->Exec(QStringLiteral("UPDATE STANP\n"
                                "SET WARTOSC=:WARTOSC, KASAWARTOSC=:KASAWARTOSC, "
                                "LICZNIKSTART=:LICZNIKSTART,LICZNIKPOZ=:LICZNIKPOZ,NRK=:NRK\n"
                                " WHERE ID_STANP='1'"),
                 {{QStringLiteral("WARTOSC"), total},
                  {QStringLiteral("KASAWARTOSC"), cash},
                  {QStringLiteral("LICZNIKSTART"), nrDok},
                  {QStringLiteral("LICZNIKPOZ"), nrPoz},
                  {QStringLiteral("NRK"), nrRk}});
        DB->Exec(QStringLiteral("UPDATE SYSCOUNT\nSET DOCID=:DOCID WHERE ID_SYSCOUNT='5'"),
                 {{QStringLiteral("DOCID"), nrRk}});
        saved = DB->CommitWork();
    });
    if (locked) {
        SetLocked(true);
        Refuse(nullptr, QString::fromUtf8(kLockText));
        return;
    }
    if (!saved)
        return;
    ReopenRegister();
    accept();
}

void TPoczatkowe::ZamknijButClick() {
    reject();
}
