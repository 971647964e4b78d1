#pragma once
#include <QRandomGenerator>
#include <QString>

// Filling the URL template of an HTTP lookup page for one domain.
//
// Placeholders are recognised without regard to case and filled in a fixed order:
//   "<name>"      the whole domain ("example.co.uk")
//   "<shortname>" the domain up to its last "." ("example.co")
//   "<ext>"       the domain after its last "." ("uk")
//   "<falseip>"   a made-up IPv4 address, drawn once per call; it is filled only when the
//                 template holds it in lower case (that presence test is case-sensitive),
//                 and then every occurrence in any case gets the same address.
// A domain without "." gives empty short name and extension. Values are percent-encoded
// where they are not URL-safe; letters, digits, "-" and "." pass unchanged, so a domain
// can never bring a placeholder or a query separator of its own into the URL.
QString FillUrlTemplate(const QString& urlTemplate, const QString& domain, QRandomGenerator& random);

// Four decimal numbers joined by dots: the first from 128 to 254, the others from 0 to 254.
QString MakeFalseIp(QRandomGenerator& random);
