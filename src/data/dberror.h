#pragma once
#include <QSqlError>
#include <QString>
#include <stdexcept>

// A failed statement; carries the database's own message. Thrown inside an
// action and caught where the action began, which rolls it back.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QSqlError& error);
    DbError(const QString& text, const QString& code = QString());

    const QString& Text() const { return text_; }
    const QString& Code() const { return code_; } // SQLCODE as text, e.g. "-913"
    bool IsConflict() const { return code_ == QLatin1String("-913") || code_ == QLatin1String("-901"); }
    // What the treasurer is shown.
    QString UserMessage() const;

private:
    QString text_;
    QString code_;
};
