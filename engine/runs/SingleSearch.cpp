#include "engine/Misc1.h"
#include <exception>

namespace {
// The reply as one text, each line followed by CR LF, with every CR LF made a lone CR and
// then cut again wherever a CR, an LF or a CR LF pair ends a line. The server's lines
// come out one per line; a line that held a stray CR or LF of its own is cut there too.
QStringList ReplyLinesForDisplay(const QStringList& reply)
{
    QString text;
    for (const QString& line : reply)
        text += line + QStringLiteral("\r\n");
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
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
    QStringList reply;
    bool isWhois = false;
    bool takenListError = false;
    const bool answered = engine.LookUpAddress(name, extension, reply, isWhois, true, takenListError);
    if (answered) {
        for (const QString& line : ReplyLinesForDisplay(reply))
            view.addSingleResult(line);
        return;
    }
    // A lookup the user stopped is no failure of the server or of the network.
    if (engine.LastLookupStopped() || engine.StopRequest != 0)
        return;
    const QString failure = QStringLiteral("An error occurred looking up '") + name + extension + QStringLiteral("'");
    if (isWhois && engine.ProxySettingsDiffer())
        view.addSingleResult(ProxyWarningText() + QStringLiteral("\r\r\r") + failure);
    else
        view.addSingleResult(failure);
    const QString why = engine.LastLookupReason().Text;
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
