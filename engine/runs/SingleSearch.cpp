#include "engine/Misc1.h"
#include "engine/lookup/DomainInput.h"
#include "engine/runs/ReplyText.h"
#include "engine/runs/RouteStepFactory.h"
#include <QScopeGuard>
#include <QUrl>
#include <exception>

namespace {
using SingleState = ISearchView::SingleState;

// Where the lookup goes first, as a person knows it: the host of the TLD's first route.
QString AskedHost(TMisc1& engine, const QString& extension)
{
    const TLDInfo* known = engine.TLDInfoList.Find(extension);
    TLDInfo entry = known ? *known : TLDInfo();
    entry.TLD = extension;
    const auto routes = engine.RoutesOf(entry, true);   // the single search asks no taken list
    return routes.isEmpty() ? QString() : RouteHost(routes.first().first, routes.first().second);
}

// The domain as the user wrote it: "kitchen.de", "пример.рф".
QString ShownDomain(const QString& name, const QString& extension)
{
    QString tld = extension;
    if (tld.startsWith(QLatin1String(".xn--"), Qt::CaseInsensitive)) {
        const QString letters = QUrl::fromAce(tld.mid(1).toLatin1(), QUrl::IgnoreIDNWhitelist);
        if (!letters.isEmpty())
            tld = QLatin1Char('.') + letters;
    }
    return name.toLower() + tld.toLower();
}

// The reply lines the box shows: the server's bytes as text where a whois server or a
// lookup page answered, the record's facts where RDAP did.
QStringList ShownReply(TMisc1& engine, const QStringList& reply)
{
    const QByteArray& bytes = engine.LastReplyBytes();
    return bytes.isEmpty() ? reply : ReplyTextLines(bytes);
}

// The verdict line, by the rules of the automated search.
void ShowVerdict(TMisc1& engine, ISearchView& view, const QString& domain)
{
    switch (engine.LastLookupVerdict()) {
    case LookupVerdict::Free:
        view.showSingleState(SingleState::Free, domain + QStringLiteral(" is free"));
        return;
    case LookupVerdict::Reserved:
        view.showSingleState(SingleState::Taken, domain + QStringLiteral(" is reserved by the registry"));
        return;
    case LookupVerdict::Closed:
        view.showSingleState(SingleState::Taken, domain + QStringLiteral(" is not open to the public (brand TLD)"));
        return;
    case LookupVerdict::ServerError:
    case LookupVerdict::LookupFailed: {
        const QString why = engine.LastLookupReason().Text;
        view.showSingleState(SingleState::NoAnswer,
                             QStringLiteral("no answer: ") + (why.isEmpty() ? QStringLiteral("the lookup failed") : why));
        return;
    }
    case LookupVerdict::Taken: break;
    }
    view.showSingleState(SingleState::Taken, domain + QStringLiteral(" is registered"));
}

void SingleSearch(TMisc1& engine, ISearchView& view)
{
    const MainOptions options = view.options();
    const QString name = options.SingleEdit;
    if (name.isEmpty()) {
        engine.ShowMessage(MessageKind::Warning, QStringLiteral("Enter an address to check. "), MbOk);
        view.focusSingleEdit();
        return;
    }
    if (name.toLower() == QLatin1String("kavrel") && options.TLDComboIndex == 0) {
        view.clearSingleResults();
        view.addSingleResult(QStringLiteral("This one's taken, try again"));
        return;
    }
    view.clearSingleResults();

    const QString extension = options.TLDComboText;
    // With no extension the name carries it ("example.com"). A TLD in its own script
    // (".рф") is asked by its A-label, the name its RDAP service is known by.
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString tld = TldAsListed(!extension.isEmpty() || dot < 0 ? extension : name.mid(dot));
    const QString bareName = !extension.isEmpty() || dot < 0 ? name : name.left(dot);
    const QString asked = AskedHost(engine, tld);
    if (!asked.isEmpty())
        view.showSingleState(SingleState::Asking, QStringLiteral("Asking %1 ...").arg(asked));
    // The server each route asks, as it is asked: a fall-back after RDAP names its own.
    QString shownHost = asked;
    const QMetaObject::Connection asking =
        QObject::connect(&engine, &TMisc1::lookupAsking, &engine, [&view, &shownHost](const QString& host) {
            if (host == shownHost)
                return;
            shownHost = host;
            view.showSingleState(SingleState::Asking, QStringLiteral("Asking %1 ...").arg(host));
        });
    const auto stopShowing = qScopeGuard([&asking] { QObject::disconnect(asking); });

    QStringList reply;
    bool isWhois = false;
    bool takenListError = false;
    const bool answered = extension.isEmpty() && dot >= 0
                              ? engine.LookUpAddress(bareName + tld, QString(), reply, isWhois, true, takenListError)
                              : engine.LookUpAddress(name, TldAsListed(extension), reply, isWhois, true, takenListError);
    const bool stopped = engine.LastLookupStopped() || engine.StopRequest != 0;
    if (answered && !stopped) {
        ShowVerdict(engine, view, ShownDomain(bareName, tld));
        for (const QString& line : ShownReply(engine, reply))
            view.addSingleResult(line);
        return;
    }
    // A lookup the user stopped is no failure of the server or of the network.
    if (stopped) {
        view.showSingleState(SingleState::Stopped, QStringLiteral("Stopped"));
        return;
    }
    const QString why = engine.LastLookupReason().Text;
    view.showSingleState(SingleState::NoAnswer,
                         QStringLiteral("no answer: ") + (why.isEmpty() ? QStringLiteral("the lookup failed") : why));
    const QString failure = QStringLiteral("An error occurred looking up '") + name + extension + QStringLiteral("'");
    if (isWhois && engine.ProxySettingsDiffer())
        view.addSingleResult(ProxyWarningText() + QStringLiteral("\r\r\r") + failure);
    else
        view.addSingleResult(failure);
    if (!why.isEmpty())
        view.addSingleResult(QStringLiteral("Reason: ") + why);
}
} // namespace

void TMisc1::RunSingleSearch()
{
    if (!view_)
        return;
    // Nothing unexpected may escape into the Start handler, which returns the window to idle.
    try {
        SingleSearch(*this, *view_);
    } catch (const std::exception&) {
    }
}
