#include "cli/CheckNames.h"
#include "cli/Console.h"
#include "engine/Misc1.h"
#include "engine/lookup/DomainInput.h"
#include "engine/names/ImportList.h"
#include "engine/names/NameNormalisation.h"
#include <QEventLoop>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Characters kept of one line: far past the longest valid name, so a longer line stays invalid.
constexpr qsizetype kLongestLine = 4 * ImportListReader::MaxKeptNameLength;
}

CheckNames::CheckNames(TMisc1& engine, Console& console, QStringList arguments)
    : engine_(engine)
    , console_(console)
    , pending_(std::move(arguments))
{
    engine_.SearchList.clear();
}

CheckNames::~CheckNames() = default;

bool CheckNames::WaitForName(int index)
{
    while (engine_.SearchList.count() <= index) {
        if (engine_.StopRequest != 0)
            return false;
        if (input_) {
            QEventLoop loop;
            connect(this, &CheckNames::moreInput, &loop, &QEventLoop::quit);
            connect(&engine_, &TMisc1::stopRequested, &loop, &QEventLoop::quit);
            loop.exec();
            continue;
        }
        if (pending_.isEmpty()) {
            ended_ = true;
            return false;
        }
        const QString next = pending_.takeFirst();
        if (next == QLatin1String("-"))
            StartInput();
        else
            Take(next);
    }
    return true;
}

void CheckNames::StartInput()
{
    // A second "-" finds standard input at its end; a closed one reads as empty.
    if (inputRead_ || ::fcntl(STDIN_FILENO, F_GETFD) == -1)
        return;
    input_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(input_.get(), &QSocketNotifier::activated, this, &CheckNames::ReadInput);
}

void CheckNames::ReadInput()
{
    char buffer[64 * 1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (got <= 0) {
        EndInput();
    } else {
        for (const QChar c : QString(decoder_(QByteArrayView(buffer, got)))) {
            if (c == QLatin1Char('\n')) {
                Take(line_);
                line_.clear();
            } else if (line_.size() < kLongestLine) {
                line_ += c;
            }
        }
    }
    emit moreInput();
}

void CheckNames::EndInput()
{
    line_ += QString(decoder_(QByteArrayView()));
    Take(line_);
    line_.clear();
    inputRead_ = true;
    // Called by the notifier's own signal: it goes once that has returned.
    input_->setEnabled(false);
    input_.release()->deleteLater();
}

void CheckNames::Take(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return;
    const auto [written, tld] = SplitTld(trimmed);
    const QString name = NormaliseName(written);
    if (name.isEmpty()) {
        console_.printMessage(QStringLiteral("tarnwick-cli: '%1' holds no name to check; left out").arg(trimmed));
        return;
    }
    const QString key = name + QLatin1Char(' ') + tld;
    if (seen_.contains(key))
        return;
    seen_.insert(key);
    engine_.SearchList.Append(name);
    tlds_.append(tld);
}

// As the window's domain box takes it: "https://shop.example.co.uk/" is "shop.example"
// under ".co.uk", the longest ending that the table of TLDs in use knows, else the last
// label (which then ends as an error). A name without a dot carries no TLD.
std::pair<QString, QString> CheckNames::SplitTld(const QString& text) const
{
    const DomainInput input = SplitDomainInput(text, [this](const QString& ending) {
        const TLDInfo* entry = engine_.TLDInfoList.Find(ending);
        return entry ? entry->TLD : QString();
    });
    return {input.name, input.tld.isEmpty() ? input.unknownEnding : input.tld};
}
