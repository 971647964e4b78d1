#pragma once
#include <QString>
#include <functional>

// What a person types or pastes as a domain ("https://www.Example.co.uk:8080/shop",
// "пример.рф", "bücher") made into a name and the TLD it is to be looked up under. The
// window's name box and the command line's `check` both go through here.

// A TLD as the table of TLDs in use lists it: a TLD in its own script (".рф") by its
// A-label (".xn--p1ai"); any other text as it is.
QString TldAsListed(const QString& tld);

// The text without what a web address adds around a domain: blanks, a scheme
// ("https://"), user and password, a path, query or fragment, a port, a trailing dot and
// a leading "www.". Letters of every script, digits, "-" and "." are kept; anything else goes.
QString StripAddress(const QString& text);

struct DomainInput {
    QString name;            // the text before the TLD (dots of subdomains kept: "shop.example")
    QString tld;             // the TLD as listed (".co.uk", ".xn--p1ai"), or empty
    QString unknownEnding;   // the last label, dot included (".foo"), when no known TLD ends the text
};

// The longest ending of the stripped text that `listedTld` knows makes the TLD
// ("example.co.uk" is "example" under ".co.uk" when ".co.uk" is listed). `listedTld`
// gets an ending with its dot and answers the TLD as listed, or an empty text.
DomainInput SplitDomainInput(const QString& text, const std::function<QString(const QString& ending)>& listedTld);
