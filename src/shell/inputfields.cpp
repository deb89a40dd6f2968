#include "shell/inputfields.h"

#include "data/polish.h"
#include "shell/form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace Input {
namespace {

const QChar kBackspace(0x08);

class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit* edit, KeyHandler handler)
        : QObject(edit), edit_(edit), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts pass; Ctrl+Alt is AltGr on Windows and types a character
        // (a Polish letter), which the handler judges like any other.
        const Qt::KeyboardModifiers mods = key->modifiers();
        const bool altGr = (mods & Qt::ControlModifier) && (mods & Qt::AltModifier);
        if ((mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !altGr)
            return false;
        const QString text = key->text();
        if (text.size() != 1 || (!text.at(0).isPrint() && text.at(0) != kBackspace))
            return false;
        if (handler_(edit_, text.at(0)))
            return false;
        QApplication::beep();
        return true;
    }

private:
    QLineEdit* edit_;
    KeyHandler handler_;
};

} // namespace

void AttachKeyFilter(QLineEdit* edit, KeyHandler handler) {
    edit->installEventFilter(new KeyFilter(edit, std::move(handler)));
}

bool NumberKey(QChar key) {
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == kBackspace;
}

bool AmountKey(const QLineEdit* edit, QChar key) {
    if (NumberKey(key))
        return true;
    return key == Polish::DecimalSeparator() && !edit->text().contains(Polish::DecimalSeparator());
}

bool ReadAmount(QLineEdit* edit, double* value) {
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9]{1,13}(,[0-9]{0,2})?$|^,[0-9]{1,2}$"));
    if (pattern.match(edit->text()).hasMatch() && Polish::ParseMoney(edit->text(), value))
        return true;
    TForm::Refuse(edit,
                  QStringLiteral("Niepoprawna kwota. Wpisz kwotę cyframi, z przecinkiem przed "
                                 "groszami i najwyżej dwiema cyframi po nim, np. 1250,50."));
    return false;
}

bool ReadNumber(QLineEdit* edit, int* value) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    bool ok = false;
    const int number = edit->text().toInt(&ok);
    if (ok && digits.match(edit->text()).hasMatch()) {
        *value = number;
        return true;
    }
    TForm::Refuse(edit, QStringLiteral("Niepoprawny numer. Wpisz liczbę całkowitą samymi cyframi, "
                                       "nie większą niż 2147483647."));
    return false;
}

QString PlainAmount(double value) {
    QLocale locale = Polish::Locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace Input
