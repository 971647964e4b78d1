// Renders every window and page of the program into PNG files, as a person would see
// them on the screen the program runs on: for looking at the layouts at other fonts,
// in a dark palette or at a scale factor (scripts/window-shots runs it under Xvfb).
//
//   window_shots OUTPUT_DIR [--point-size N] [--dark]
#include "engine/Misc1.h"
#include "engine/runs/ResultListModel.h"
#include "ui/AdvancedForm.h"
#include "ui/ApplicationSetup.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include "ui/ResultLists.h"
#include "ui/SingleSearchPage.h"
#include "ui/TLDForm.h"
#include "ui/WindowWiring.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

void Save(QWidget& window, const QString& folder, const QString& name)
{
    QApplication::processEvents();
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    QTextStream(stdout) << name << ' ' << window.width() << 'x' << window.height() << '\n';
}

QPalette DarkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        p.setColor(role, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::Link, QColor(0x6a, 0xb0, 0xff));
    return p;
}

// Entries of each kind, a run's end and a reply, so that the colours can be seen.
void FillWithExamples(TMainForm& form)
{
    using List = ISearchView::ResultList;
    const struct {
        const char* entry;
        List list;
        LookupVerdict verdict;
    } entries[] = {
        {"KITCHEN.de : Registered", List::Taken, LookupVerdict::Taken},
        {"FREEBIRD.com : FREE, Click on the Register Domain button now !", List::Free, LookupVerdict::Free},
        {"MÜLLER.de : Error, Try using another server for this domain extension !", List::Errors, LookupVerdict::LookupFailed},
        {"BÄCKEREI.com : FREE, Click on the Register Domain button now !", List::Free, LookupVerdict::Free},
    };
    for (const auto& e : entries) {
        form.insertResultAtTop(List::All, QString::fromUtf8(e.entry));
        form.insertResultAtTop(e.list, QString::fromUtf8(e.entry));
        form.recordVerdict(QString(), e.verdict, {LookupRoute::Whois, QStringLiteral("whois.denic.de"), QStringLiteral("unreachable")});
    }
    form.setCounterText(QStringLiteral("4 checked, 1 taken, 2 free, 1 errors"));
    form.resultLists().runStarted();
    form.resultLists().runEnded(QStringLiteral("4 checked, 2 free, 1 taken, 1 errors"), QStringLiteral("SHOP.net"));

    form.showSingleState(ISearchView::SingleState::Taken, QStringLiteral("kitchen.de is registered"));
    for (const char* line : {"Domain: kitchen.de", "Status: connect", "Registrant Organization: Müller Bäckerei GmbH",
                             "Changed:\t2024-05-01T10:00:00+02:00", "", "Nserver: ns1.example.net"})
        form.addSingleResult(QString::fromUtf8(line));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpApplication();
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: window_shots OUTPUT_DIR [--point-size N] [--dark]\n";
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    if (const qsizetype i = args.indexOf(QStringLiteral("--point-size")); i > 0 && i + 1 < args.size()) {
        QFont font = QApplication::font();
        font.setPointSizeF(args.at(i + 1).toDouble());
        QApplication::setFont(font);
    }
    if (args.contains(QStringLiteral("--dark"))) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }

    QTemporaryDir folder;
    QFile dictionary(QDir(folder.path()).filePath(QStringLiteral("english.dat")));
    dictionary.open(QIODevice::WriteOnly);   // present; its words are not needed here
    dictionary.close();
    TMisc1 engine;
    engine.setProgramFolder(folder.path());
    SilentMessageBoxes boxes;
    engine.setMessageBoxes(&boxes);
    TMainForm form(engine);
    form.setDictionaryLoader([] { return true; });
    form.FormCreate();
    const auto advanced = CreateAdvancedDialog(engine, form);
    form.show();
    FillWithExamples(form);

    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("MainPage"));
    auto* automated = form.findChild<QTabWidget*>(QStringLiteral("AutomatedPageControl"));
    Save(form, out, QStringLiteral("main-single"));
    pages->setCurrentIndex(1);
    automated->setCurrentIndex(0);
    Save(form, out, QStringLiteral("main-options"));
    for (const char* section : {"WordlistCheck", "NumbersCheck", "SoundexCheck", "CustomListCheck"})
        if (auto* box = form.findChild<QAbstractButton*>(QString::fromLatin1(section)))
            box->setChecked(true);
    Save(form, out, QStringLiteral("main-options-open"));
    automated->setCurrentIndex(1);
    Save(form, out, QStringLiteral("main-results"));

    advanced->show();
    const char* const names[] = {"advanced-servers-assignment", "advanced-servers", "advanced-domains", "advanced-http"};
    for (int i = 0; i < 4; ++i) {
        advanced->PageControl1->setCurrentIndex(i);
        Save(*advanced, out, QString::fromLatin1(names[i]));
    }
    advanced->hide();

    TTLDForm tlds(engine, &form);
    tlds.show();
    Save(tlds, out, QStringLiteral("tld-dialog"));
    tlds.hide();

    HelpWindow help(boxes);
    help.setHelpFile(QDir(QStringLiteral(TARNWICK_SOURCE_DIR)).filePath(QStringLiteral("data/Tarnwick.hlp")));
    help.Command(HelpCommand::Tab, -3);
    Save(help, out, QStringLiteral("help"));
    return 0;
}
