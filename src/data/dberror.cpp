#include "data/dberror.h"

DbError::DbError(const QSqlError& error)
    : std::runtime_error(error.text().toStdString()), code_(error.nativeErrorCode()) {
    text_ = error.databaseText().trimmed();
    if (text_.isEmpty())
        text_ = error.driverText().trimmed();
    else if (!error.driverText().isEmpty() && !text_.contains(error.driverText()))
        text_ = error.driverText().trimmed() + QLatin1Char('\n') + text_;
}

DbError::DbError(const QString& text, const QString& code)
    : std::runtime_error(text.toStdString()), text_(text), code_(code) {}

QString DbError::UserMessage() const {
    if (code_ == QLatin1String("-802") && text_.contains(QLatin1String("transliterate")))
        return QStringLiteral("Tekst zawiera znak, którego baza danych nie potrafi zapisać "
                              "(na przykład „€” albo emotikonę). Usuń ten znak i zapisz ponownie.");
    return text_;
}
