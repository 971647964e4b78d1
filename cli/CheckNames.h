#pragma once
#include "engine/runs/NameFeed.h"
#include <QObject>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>
#include <memory>
#include <utility>

class Console;
class QSocketNotifier;
class TMisc1;

// The names of `tarnwick-cli check`, fed to the automated run: the command's names in
// their order, with standard input read in the place of "-", one name per line, each
// handed over as soon as its line is complete. A name with its TLD ("example.co.uk") is
// checked under that TLD only; the others under every ticked TLD. Names are cleaned as an
// import list's are (only letters, digits and "-" kept, upper case, no leading "WWW") and
// each goes once.
class CheckNames : public QObject, public INameFeed {
    Q_OBJECT
public:
    CheckNames(TMisc1& engine, Console& console, QStringList arguments);
    ~CheckNames() override;

    bool WaitForName(int index) override;
    QString TldOf(int index) const override { return tlds_.value(index); }
    // Every name was handed over: the arguments are used up and standard input is at its end.
    bool ended() const { return ended_; }

signals:
    void moreInput();

private:
    void StartInput();
    void ReadInput();
    void EndInput();
    void Take(const QString& text);
    std::pair<QString, QString> SplitTld(const QString& text) const;

    TMisc1& engine_;
    Console& console_;
    QStringList pending_;     // the command's names not handed over yet
    QStringList tlds_;        // the TLD each name came with, or an empty text
    QSet<QString> seen_;      // name and TLD of every name handed over
    std::unique_ptr<QSocketNotifier> input_;   // while standard input is read
    QStringDecoder decoder_{QStringDecoder::Utf8};
    QString line_;            // the line being read
    bool inputRead_ = false;  // standard input was read to its end
    bool ended_ = false;
};
