// Feeds arbitrary bytes as a page file to the loader of a real window and to the value forms.
// Built with libFuzzer it explores inputs; built without, it replays the files and directories
// given on its command line, so that the corpus and every input that once failed stay tests.

#include "app/main_window.h"
#include "page/value_forms.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// The discard port, which nothing on this computer serves.
constexpr quint16 RefusingPort = 9;

struct LoaderHarness
{
    LoaderHarness()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_page_loader";
        static char *argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
        // A page asks for its pictures as soon as it is loaded. Every transfer goes to a proxy on
        // this computer that refuses it, so that no name an input holds is looked up and nothing
        // leaves the machine.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), RefusingPort));
        window = new Form1;
        window->show();
        // No picture is ever shown: a tick would decode one.
        window->Timer1->stop();
        pagePath = directory.filePath(QStringLiteral("fuzz.qvif"));
    }

    QApplication *application = nullptr;
    Form1 *window = nullptr;
    QTemporaryDir directory;
    QString pagePath;
};

LoaderHarness *instance = nullptr;

// The fuzzer ends the process with exit() from deep inside its loop, where tearing down the
// application is no longer safe; only the files of the harness and of its window are removed.
void removeHarnessFiles()
{
    QDir(instance->window->programDirectory()).removeRecursively();
    instance->directory.remove();
}

LoaderHarness &harness()
{
    if (!instance) {
        instance = new LoaderHarness;
        std::atexit(removeHarnessFiles);
    }
    return *instance;
}

bool counterInRange(qint16 counter)
{
    return counter >= -1 && counter <= 101;
}

void checkValueForms(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes.left(256));
    if (const auto number = ValueForms::readNumber(text))
        (void)ValueForms::readNumber(ValueForms::writeNumber(*number));
    if (const auto whole = ValueForms::readWholeNumber(text)) {
        if (ValueForms::readWholeNumber(ValueForms::writeWholeNumber(*whole)) != whole)
            std::abort();
    }
    if (const auto colour = ValueForms::readColour(text)) {
        if (ValueForms::readColour(ValueForms::writeColour(*colour)) != colour)
            std::abort();
    }
}

void loadOnce(const QByteArray &bytes)
{
    LoaderHarness &h = harness();
    {
        QFile file(h.pagePath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(bytes);
    }
    h.window->ClearPage();
    h.window->LoadPage(h.pagePath);
    if (!counterInRange(h.window->ButtonCount) || !counterInRange(h.window->LabelCount) ||
        !counterInRange(h.window->PictureCount)) {
        std::fprintf(stderr, "counter out of range: %d %d %d\n", h.window->ButtonCount,
                     h.window->LabelCount, h.window->PictureCount);
        std::abort();
    }
    // Requests queued by the load are dropped, so the fuzzer never touches the network.
    h.window->lstPics->clear();
    h.window->lstPicsNum->clear();
    checkValueForms(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    loadOnce(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}

#ifndef QUORVANE_LIBFUZZER
int main(int argc, char *argv[])
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << path;
        }
        files.sort();
        for (const QString &file : files) {
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
                return 1;
            }
            loadOnce(input.readAll());
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
#endif
