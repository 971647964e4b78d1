#pragma once
#include "DictionaryFixture.h"
#include "FakeSearchView.h"
#include <QFile>

// The dictionary fixture with a view whose options are the first-start values with every
// name source unticked, and import files written into the temporary folder.
struct NameSourcesFixture : DictionaryFixture {
    FakeSearchView view;

    NameSourcesFixture()
    {
        view.opts = FirstStartOptions(folder.path());
        view.opts.DictCheck = false;
        engine.setView(&view);
    }
    QString importFile(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("names.txt"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    QStringList names() const { return engine.SearchList.toStringList(); }
};
