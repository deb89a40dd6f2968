#pragma once
#include "data/userdialogs.h"

#include <QQueue>
#include <QVector>

// Answers questions from a script and records everything the user was told
// or asked, so tests can check exact captions and texts.
class ScriptedDialogs : public UserDialogs {
public:
    struct Message {
        QString caption;
        QString text;
        MsgIcon icon = MsgIcon::None;
        bool question = false;
    };

    bool Ask(const QString& caption, const QString& text) override;
    void Show(const QString& caption, const QString& text, MsgIcon icon) override;

    void Answer(bool yes) { answers.enqueue(yes); }
    void Clear() { messages.clear(); answers.clear(); }
    // Texts only, in order.
    QStringList Texts() const;

    QQueue<bool> answers; // an empty queue answers No
    QVector<Message> messages;
};
