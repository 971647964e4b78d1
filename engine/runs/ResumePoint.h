#pragma once
#include "engine/MainOptions.h"
#include "engine/lookup/TLDInfoList.h"
#include <QString>
#include <QStringList>

// Where an automated run that ended early goes on: the first domain of its list that got
// no result (the position in the search list and among the name's TLDs, with the name
// and TLD themselves), and a fingerprint of what made the list. The window and the
// command line each keep theirs in the file LastSearch.ini, in a section of their own.
struct ResumePoint {
    int nameIndex = 0;
    int tldIndex = 0;
    QString name;          // "KITCHEN"
    QString tld;           // ".de"
    QString fingerprint;   // RunFingerprint of the run

    bool isValid() const { return !name.isEmpty() && !tld.isEmpty() && nameIndex >= 0 && tldIndex >= 0; }
    QString domain() const { return name + tld; }
};

inline QString ResumeFileName() { return QStringLiteral("LastSearch.ini"); }

// The TLDs of the ticked entries, in list order: those an automated run checks.
QStringList TickedTlds(const TTLDInfoList& list);

// A digest of everything that makes a run's list of domains and where its results go:
// the options of the name sources, the results file, and the ticked TLDs in order.
QString RunFingerprint(const MainOptions& options, const QStringList& tickedTlds);

// The point kept in `section` of the file at `path`; invalid when there is none.
ResumePoint LoadResumePoint(const QString& path, const QString& section);
// Keeps `point` in `section`, or removes the section when the point is invalid.
bool SaveResumePoint(const QString& path, const QString& section, const ResumePoint& point);
