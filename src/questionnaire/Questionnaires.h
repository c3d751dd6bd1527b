#pragma once

#include "questionnaire/Questionnaire.h"

// The questionnaires the program administers. Adding one means a new description beside this
// one, its entry in all(), and its menu entry on the main window.
namespace Questionnaires {

const Questionnaire& geriatricDepression();

inline QList<const Questionnaire*> all()
{
    return {&geriatricDepression()};
}

} // namespace Questionnaires
