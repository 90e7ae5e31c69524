#include "control/UserQuestions.h"

bool UserQuestions::mayLeave(const QString &why, const QString &question, const std::function<bool()> &save)
{
    switch (askToKeep(why, question)) {
    case Keep::Save:
        return save();
    case Keep::Discard:
        return true;
    case Keep::Cancel:
        break;
    }
    return false;
}
