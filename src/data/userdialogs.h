#pragma once
#include <QString>

// How the data layer asks and tells the user something. The windows install
// a message-box version; tests install a scripted one.
enum class MsgIcon { None, Exclamation, Error, Information };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A Yes/No question without icon; true for Yes.
    virtual bool Ask(const QString& caption, const QString& text) = 0;
    // A message with an OK button.
    virtual void Show(const QString& caption, const QString& text, MsgIcon icon) = 0;
};

// Used until a real one is installed: prints to stderr and answers No.
class ConsoleDialogs : public UserDialogs {
public:
    bool Ask(const QString& caption, const QString& text) override;
    void Show(const QString& caption, const QString& text, MsgIcon icon) override;
};
