#pragma once
#include "data/userdialogs.h"

// Message boxes over the active window, with Polish buttons.
class MessageBoxDialogs : public UserDialogs {
public:
    bool Ask(const QString& caption, const QString& text) override;
    void Show(const QString& caption, const QString& text, MsgIcon icon) override;
};
