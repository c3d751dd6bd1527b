#pragma once

#include <QString>
#include <QStringList>

// The names of the timed actions, as they appear in the table and in results.json.
namespace ActionName {

inline const QString ProcessStart = QStringLiteral("process start to first painted window");
inline const QString FirstWindow = QStringLiteral("main window shown (first in process)");
inline const QString Window = QStringLiteral("main window shown");
inline const QString HidePanels = QStringLiteral("HidePanels");
inline const QString EnrolmentSave = QStringLiteral("enrolment Save");
inline const QString RunTest = QStringLiteral("Run test to test screen shown");
inline const QString Next = QStringLiteral("Next on the test screen");
inline const QString LastItem = QStringLiteral("Next on the last item to its notice");
inline const QString Back = QStringLiteral("Back on the test screen");
inline const QString Duplicate = QStringLiteral("duplicate code refused to its notice");
inline const QString ScoringShown = QStringLiteral("scoring screen shown");
inline const QString Search = QStringLiteral("scoring search to stored score");
inline const QString Finder = QStringLiteral("code finder opened");
inline const QString Keystroke = QStringLiteral("keystroke in a name selector");
inline const QString FamilyKeystroke = QStringLiteral("keystroke in the family-name selector");
inline const QString GroupChosen = QStringLiteral("group chosen in the group selector");
inline const QString GroupPrint = QStringLiteral("code finder Print of a real group");
inline const QString PrintGap = QStringLiteral("longest event-loop gap in that Print");
inline const QString Report = QStringLiteral("group report of 1000 rows to PDF");
inline const QString BlockCopy = QStringLiteral("CopyFileInBlocks of DB2.mdb");
inline const QString BarCopy = QStringLiteral("CopyFileInBlocks of DB2.mdb with a progress bar");
inline const QString CopyGap = QStringLiteral("longest event-loop gap in that copy");
inline const QString PlainCopy = QStringLiteral("plain copy of DB2.mdb");
inline const QString SyncedCopy = QStringLiteral("plain copy of DB2.mdb, synced");
inline const QString DiskFlush = QStringLiteral("disk flush (4 KiB write + fdatasync)");
inline const QString AutoBackup = QStringLiteral("automatic backup at start");
inline const QString ExportCsv = QStringLiteral("export of every administration to CSV");
inline const QString ExportXlsx = QStringLiteral("export of every administration to Excel");
inline const QString ExportSav = QStringLiteral("export of every administration to SPSS");

// The actions an operator waits on at every click or key.
inline const QStringList interactive{
    HidePanels,   EnrolmentSave, Duplicate, RunTest,         Next,       LastItem, Back, Search,
    ScoringShown, Finder,        Keystroke, FamilyKeystroke, GroupChosen};
// The actions that write: each is one transaction, and its sync calls are counted.
inline const QStringList writes{EnrolmentSave, Next, LastItem, Back, Search};
// Outside the goal on growth: copies (the automatic backup's snapshot too) read the whole file, so
// their time grows with it by nature; the disk flush is the machine's, not the application's.
// A real group grows with the registry, and so does its report; an export writes every row.
inline const QStringList outsideGrowthGoal{BlockCopy,  PlainCopy,  SyncedCopy, DiskFlush,
                                           AutoBackup, GroupPrint, PrintGap,   ExportCsv,
                                           ExportXlsx, ExportSav};

} // namespace ActionName
