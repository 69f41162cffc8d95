#include "app/main_window.h"
#include "page/recovery_copy.h"
#include "support/page_fixtures.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The real program, run on a virtual X display and edited with a real mouse and keys, then killed
// without warning: the next start must offer what it had not saved.
class RecoveryProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void endedProgramLeavesACopyThatIsRestored_data();
    void endedProgramLeavesACopyThatIsRestored();
    void runningProgramsKeepTheirCopiesApart();

private:
    // A program on its own display, with one page open in editor mode.
    struct Run
    {
        std::unique_ptr<QProcess> display;
        QString displayName;
        std::unique_ptr<QProcess> program;
    };

    std::unique_ptr<Run> start(const QString &pageName);
    // Selects the page's button with a click and duplicates it with Ctrl+D.
    void edit(Run &run, const QString &pageName);
    QString xdotool(const Run &run, const QStringList &arguments);
    int filesInRecoveryFolder() const;
    QString path(const QString &name) const { return directory->filePath(name); }

    QString xvfb;
    QString xdotoolProgram;
    std::unique_ptr<QTemporaryDir> directory;
    std::vector<std::unique_ptr<Run>> runs;
};

void RecoveryProcessTest::initTestCase()
{
    xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    xdotoolProgram = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotoolProgram.isEmpty())
        QSKIP("needs Xvfb and xdotool (scripts/install-deps.sh installs them)");
    // This process reads the copies where the program, named Quorvane, keeps them.
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
}

void RecoveryProcessTest::init()
{
    directory = std::make_unique<QTemporaryDir>();
    QVERIFY(directory->isValid());
    qputenv("XDG_DATA_HOME", path("data").toUtf8());
}

void RecoveryProcessTest::cleanup()
{
    for (const std::unique_ptr<Run> &run : runs) {
        run->program->kill();
        run->program->waitForFinished();
        // Asked to stop, the X server removes its lock and socket for the next one.
        run->display->terminate();
        if (!run->display->waitForFinished(5000))
            run->display->kill();
    }
    runs.clear();
}

std::unique_ptr<RecoveryProcessTest::Run> RecoveryProcessTest::start(const QString &pageName)
{
    // A page whose one button covers the whole canvas, so that any click on the canvas finds it.
    const QByteArray page = "ButtonNum=0\r\nTitle=Big\r\n1bx=0\r\n1by=0\r\n1bwidth=3000\r\n"
                            "1bheight=3000\r\n1bcap=One\r\n1blink=\r\n";
    if (!writeBytes(path(pageName), page))
        return nullptr;

    auto run = std::make_unique<Run>();
    run->display = std::make_unique<QProcess>();
    // Xvfb picks a free display and writes its number on the descriptor given.
    run->display->start(
        xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    while (!run->display->canReadLine()) {
        if (!run->display->waitForReadyRead(10000))
            return nullptr;
    }
    run->displayName =
        QStringLiteral(":") + QString::fromLatin1(run->display->readLine().trimmed());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", run->displayName);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_DATA_HOME", path("data"));
    run->program = std::make_unique<QProcess>();
    run->program->setProcessEnvironment(environment);
    run->program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A new X server now and then turns the first client away; the program is started again then,
    // as a user would.
    for (int attempt = 0; attempt < 3; ++attempt) {
        run->program->start(QStringLiteral(QUORVANE_BINARY), {path(pageName)});
        if (!run->program->waitForStarted())
            return nullptr;
        QElapsedTimer waited;
        waited.start();
        while (run->program->state() == QProcess::Running && waited.elapsed() < 10000) {
            if (!xdotool(*run, {"search", "--name", pageName}).isEmpty())
                return run;
            QTest::qWait(50);
        }
    }
    return nullptr;
}

QString RecoveryProcessTest::xdotool(const Run &run, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", run.displayName);
    process.setProcessEnvironment(environment);
    process.start(xdotoolProgram, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

void RecoveryProcessTest::edit(Run &run, const QString &pageName)
{
    // Without a window manager the window stands at the display's corner: the canvas starts
    // right of the tool strip, below the menu bar.
    xdotool(run, {"mousemove", "--sync", "250", "250", "click", "1"});
    xdotool(run, {"key", "ctrl+d"});
    QTRY_VERIFY_WITH_TIMEOUT(
        xdotool(run, {"search", "--name", pageName + "\\* - Quorvane"}).size() > 0, 10000);
}

int RecoveryProcessTest::filesInRecoveryFolder() const
{
    return int(QDir(Form1::recoveryDirectory()).entryList(QDir::Files).size());
}

void RecoveryProcessTest::endedProgramLeavesACopyThatIsRestored_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("killed with SIGKILL") << true;
    // Asked to stop, the program ends at once without a question and keeps the changes.
    QTest::newRow("ended by SIGTERM right after the change") << false;
}

void RecoveryProcessTest::endedProgramLeavesACopyThatIsRestored()
{
    QFETCH(bool, killed);
    std::unique_ptr<Run> run = start("page.qvif");
    QVERIFY(run);
    edit(*run, "page.qvif");
    if (killed) {
        // The copy is written within two seconds of the change, beside the program's lock.
        QTRY_COMPARE_WITH_TIMEOUT(filesInRecoveryFolder(), 2, 3000);
        run->program->kill();
    } else {
        run->program->terminate();
    }
    QVERIFY(run->program->waitForFinished());
    if (!killed)
        QCOMPARE(run->program->exitCode(), 0);
    runs.push_back(std::move(run));

    Form1 window;
    ScriptedDialogs *dialogs = scriptDialogs(window);
    dialogs->recoverAnswers.enqueue(true);
    window.show();
    QVERIFY(window.offerRecovery());
    QVERIFY(dialogs->questions.first().startsWith("Recover unsaved changes to page.qvif from "));
    QVERIFY(window.hasUnsavedChanges());
    QCOMPARE(window.button(2)->caption(), QStringLiteral("One"));
    QCOMPARE(window.button(2)->exactLeft(), 10.0f);

    dialogs->saveAnswers.enqueue(path("page.qvif"));
    window.mnuSave->trigger();
    QCOMPARE(dialogs->lastSuggestedSave, path("page.qvif"));
    const QByteArray saved = readBytes(path("page.qvif"));
    QVERIFY(saved.startsWith("ButtonNum=2\r\n"));
    QVERIFY(saved.contains("\r\n2bcap=One\r\n2blink=\r\n"));
}

void RecoveryProcessTest::runningProgramsKeepTheirCopiesApart()
{
    runs.push_back(start("first.qvif"));
    runs.push_back(start("second.qvif"));
    QVERIFY(runs.at(0) && runs.at(1));
    edit(*runs.at(0), "first.qvif");
    edit(*runs.at(1), "second.qvif");
    QTRY_COMPARE_WITH_TIMEOUT(filesInRecoveryFolder(), 4, 3000);

    // Neither copy is offered while its program runs.
    Form1 window;
    ScriptedDialogs *dialogs = scriptDialogs(window);
    QVERIFY(!window.offerRecovery());
    QVERIFY(dialogs->questions.isEmpty());

    runs.at(0)->program->kill();
    QVERIFY(runs.at(0)->program->waitForFinished());
    QVERIFY(!window.offerRecovery());
    QCOMPARE(dialogs->questions.size(), 1);
    QVERIFY(dialogs->questions.first().startsWith("Recover unsaved changes to first.qvif "));
    // Discarded: only the copy of the program still running is left, with its lock.
    QCOMPARE(filesInRecoveryFolder(), 2);
}

QTEST_MAIN(RecoveryProcessTest)
#include "tst_recovery_process.moc"
