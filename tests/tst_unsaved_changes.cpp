#include "app/window_title.h"
#include "page/recovery_copy.h"
#include "page/unsaved_changes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace {

// An edit that changes nothing but the stack: enough to move it away from its clean index.
class Edit : public QUndoCommand
{
public:
    Edit() : QUndoCommand(QStringLiteral("Edit")) {}
    void undo() override {}
    void redo() override {}
};

QString pageTextIn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::optional<RecoveryContents> contents = decodeRecoveryContents(file.readAll());
    return contents ? contents->pageText : QString();
}

RecoveryContents contentsOf(const QString &page, const QString &file = {})
{
    return {page, file, QDateTime::currentDateTime()};
}

// A lock file as a program leaves it when it is killed: naming a process that no longer runs.
void leaveLockOfEndedProcess(const QString &lockPath)
{
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForStarted());
    const qint64 pid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QFile lock(lockPath);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nquorvane\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
}

} // namespace

class UnsavedChangesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void contentsRoundTrip_data();
    void contentsRoundTrip();
    void copyOfARunningProgramIsNeverOffered();
    void copyOfAKilledProgramIsOffered();
    void offeredCopyIsHeldWhileOffered();
    void orphansComeNewestFirst();

    void changesFollowTheCleanIndex();
    void copyIsWrittenSoonAfterAChangeAndGoesWhenClean();
    void recoveredPageHasUnsavedChanges();
    void endingWithoutAQuestionKeepsTheLatestPage();

    void windowTitle_data();
    void windowTitle();

private:
    std::unique_ptr<QTemporaryDir> directory;
};

void UnsavedChangesTest::init()
{
    directory = std::make_unique<QTemporaryDir>();
    QVERIFY(directory->isValid());
}

void UnsavedChangesTest::contentsRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    const RecoveryContents page{QStringLiteral("ButtonNum=0\r\nTitle=Grüße = \"x\"\r\n"),
                                QStringLiteral("/home/me/site/index.qvif"),
                                QDateTime(QDate(2026, 12, 10), QTime(15, 4, 5, 6))};
    QTest::newRow("written copy") << encodeRecoveryContents(page) << true;
    QTest::newRow("page without file")
        << encodeRecoveryContents({QStringLiteral("Title=x"), QString(), page.written}) << true;
    QTest::newRow("cut short") << encodeRecoveryContents(page).chopped(5) << false;
    QTest::newRow("not JSON") << QByteArray("ButtonNum=1\r\n") << false;
    QTest::newRow("no page") << QByteArray(R"({"file":"","written":"2026-01-01T00:00:00"})")
                             << false;
    QTest::newRow("bad time") << QByteArray(R"({"file":"","written":"soon","page":""})") << false;
}

void UnsavedChangesTest::contentsRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const std::optional<RecoveryContents> read = decodeRecoveryContents(bytes);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(encodeRecoveryContents(*read), bytes);
}

void UnsavedChangesTest::copyOfARunningProgramIsNeverOffered()
{
    auto copy = std::make_unique<RecoveryCopy>(directory->path());
    QVERIFY(copy->write(contentsOf("Title=Mine")));
    QVERIFY(copy->exists());
    QVERIFY(OrphanedCopy::findIn(directory->path()).empty());

    // The program ends without removing its copy: a signal, or power lost after the write.
    const QString path = copy->path();
    copy.reset();
    QVERIFY(QFile::exists(path));
    const std::vector<OrphanedCopy> found = OrphanedCopy::findIn(directory->path());
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found.front().contents().pageText, QStringLiteral("Title=Mine"));
}

void UnsavedChangesTest::copyOfAKilledProgramIsOffered()
{
    const QString path = directory->filePath("killed.qvrecovery");
    QFile copy(path);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(encodeRecoveryContents(contentsOf("Title=Killed", "/pages/a.qvif")));
    copy.close();
    leaveLockOfEndedProcess(path + ".lock");

    std::vector<OrphanedCopy> found = OrphanedCopy::findIn(directory->path());
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found.front().contents().filePath, QStringLiteral("/pages/a.qvif"));
    found.front().remove();
    found.clear();
    QVERIFY(!QFile::exists(path));
    QVERIFY(OrphanedCopy::findIn(directory->path()).empty());
}

void UnsavedChangesTest::offeredCopyIsHeldWhileOffered()
{
    RecoveryCopy(directory->path()).write(contentsOf("Title=Left"));
    {
        const std::vector<OrphanedCopy> offered = OrphanedCopy::findIn(directory->path());
        QCOMPARE(offered.size(), std::size_t(1));
        // A second start at the same moment does not offer it too.
        QVERIFY(OrphanedCopy::findIn(directory->path()).empty());
    }
    // Neither recovered nor thrown away: the next start offers it again.
    QCOMPARE(OrphanedCopy::findIn(directory->path()).size(), std::size_t(1));
}

void UnsavedChangesTest::orphansComeNewestFirst()
{
    const QDateTime now = QDateTime::currentDateTime();
    RecoveryCopy(directory->path()).write({QStringLiteral("Title=Old"), {}, now.addSecs(-60)});
    RecoveryCopy(directory->path()).write({QStringLiteral("Title=New"), {}, now});
    RecoveryCopy(directory->path()).write({QStringLiteral("Title=Mid"), {}, now.addSecs(-30)});
    const std::vector<OrphanedCopy> found = OrphanedCopy::findIn(directory->path());
    QCOMPARE(found.size(), std::size_t(3));
    QCOMPARE(found.at(0).contents().pageText, QStringLiteral("Title=New"));
    QCOMPARE(found.at(2).contents().pageText, QStringLiteral("Title=Old"));
}

void UnsavedChangesTest::changesFollowTheCleanIndex()
{
    QUndoStack stack;
    RecoveryCopy copy(directory->path());
    UnsavedChanges changes(stack, copy, [] { return contentsOf("Title=x"); });
    QSignalSpy told(&changes, &UnsavedChanges::existChanged);
    QVERIFY(!changes.exist());

    stack.push(new Edit);
    QVERIFY(changes.exist());
    changes.markSaved();
    QVERIFY(!changes.exist());
    stack.push(new Edit);
    QVERIFY(changes.exist());
    // Undoing back to the saved state leaves nothing unsaved.
    stack.undo();
    QVERIFY(!changes.exist());
    stack.undo();
    QVERIFY(changes.exist());
    QCOMPARE(told.size(), 5);
}

void UnsavedChangesTest::copyIsWrittenSoonAfterAChangeAndGoesWhenClean()
{
    QUndoStack stack;
    RecoveryCopy copy(directory->path());
    int page = 0;
    UnsavedChanges changes(stack, copy,
                           [&page] { return contentsOf(QStringLiteral("Title=%1").arg(page)); });
    page = 1;
    stack.push(new Edit);
    QVERIFY(!copy.exists());
    QTRY_VERIFY_WITH_TIMEOUT(copy.exists(), 2000);
    QCOMPARE(pageTextIn(copy.path()), QStringLiteral("Title=1"));
    page = 2;
    stack.push(new Edit);
    QTRY_COMPARE_WITH_TIMEOUT(pageTextIn(copy.path()), QStringLiteral("Title=2"), 2000);

    stack.undo();
    stack.undo();
    QVERIFY(!copy.exists());
}

void UnsavedChangesTest::recoveredPageHasUnsavedChanges()
{
    QUndoStack stack;
    RecoveryCopy copy(directory->path());
    UnsavedChanges changes(stack, copy, [] { return contentsOf("Title=Recovered"); });
    changes.markRecovered();
    QVERIFY(changes.exist());
    // Recovered changes are kept at once: another crash must not lose them.
    QVERIFY(copy.exists());
    changes.markSaved();
    QVERIFY(!copy.exists());
}

void UnsavedChangesTest::endingWithoutAQuestionKeepsTheLatestPage()
{
    QUndoStack stack;
    auto copy = std::make_unique<RecoveryCopy>(directory->path());
    QString page = QStringLiteral("Title=First");
    UnsavedChanges changes(stack, *copy, [&page] { return contentsOf(page); });
    stack.push(new Edit);
    page = QStringLiteral("Title=Latest");
    changes.keepForRecovery();
    copy.reset();
    const std::vector<OrphanedCopy> found = OrphanedCopy::findIn(directory->path());
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found.front().contents().pageText, QStringLiteral("Title=Latest"));
}

void UnsavedChangesTest::windowTitle_data()
{
    QTest::addColumn<bool>("browserMode");
    QTest::addColumn<bool>("anyPage");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pageTitle");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("title");
    QTest::newRow("before any page") << true << false << ""
                                     << ""
                                     << ""
                                     << "Quorvane";
    QTest::newRow("browsed page") << true << true << ""
                                  << "Home"
                                  << "http://h/index.qvif"
                                  << "Home - Quorvane";
    QTest::newRow("browsed page without title") << true << true << ""
                                                << ""
                                                << "http://h/index.qvif"
                                                << "http://h/index.qvif - Quorvane";
    QTest::newRow("title with the mark's text") << true << true << ""
                                                << "Stars [*]"
                                                << ""
                                                << "Stars [*][*] - Quorvane";
    QTest::newRow("new page") << false << true << ""
                              << "Home"
                              << ""
                              << "Untitled[*] - Quorvane";
    QTest::newRow("page file") << false << true << "/site/about.qvif"
                               << "About"
                               << ""
                               << "about.qvif[*] - Quorvane";
}

void UnsavedChangesTest::windowTitle()
{
    QFETCH(bool, browserMode);
    QFETCH(bool, anyPage);
    QFETCH(QString, file);
    QFETCH(QString, pageTitle);
    QFETCH(QString, address);
    QFETCH(QString, title);
    QCOMPARE(windowTitleFor({browserMode, anyPage, file, pageTitle, address}), title);
}

QTEST_GUILESS_MAIN(UnsavedChangesTest)
#include "tst_unsaved_changes.moc"
