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
};
