#pragma once

#include <QString>

class QWidget;

enum class MsgIcon { Information, Exclamation, Question };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Every message the program shows goes through here, so that tests can
// record the exact sequence and answer questions from a script.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                           MsgButtons buttons = MsgButtons::Ok) = 0;

    // The three kinds of message, title first as the box shows it: a
    // refusal or a missing file, a confirmation or an empty list, and a
    // question whose answer is Yes (true) or No.
    void warn(QWidget *parent, const QString &title, const QString &text)
    {
        show(parent, text, title, MsgIcon::Exclamation);
    }
    void inform(QWidget *parent, const QString &title, const QString &text)
    {
        show(parent, text, title, MsgIcon::Information);
    }
    bool ask(QWidget *parent, const QString &title, const QString &text)
    {
        return show(parent, text, title, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
    }
};
