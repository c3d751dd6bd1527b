#include "app/StartUp.h"

#include "app/Frm1.h"
#include "app/SingleInstance.h"
#include "backup/AutoBackup.h"
#include "data/DataFailure.h"

namespace StartUp {

Frm1* openMainWindow()
{
    // A refused lock is told by the main window itself, as ever.
    if (SingleInstance::acquire() == SingleInstance::Outcome::Acquired)
        AutoBackup::runInBackground([](const QString& problem) { DataFailure::show(problem); });
    return Frm1::openNew();
}

} // namespace StartUp
