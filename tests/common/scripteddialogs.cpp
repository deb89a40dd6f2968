#include "common/scripteddialogs.h"

#include <QStringList>

bool ScriptedDialogs::Ask(const QString& caption, const QString& text) {
    messages.append({caption, text, MsgIcon::None, true});
    return answers.isEmpty() ? false : answers.dequeue();
}

void ScriptedDialogs::Show(const QString& caption, const QString& text, MsgIcon icon) {
    messages.append({caption, text, icon, false});
}

QStringList ScriptedDialogs::Texts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}
