#include "engine/names/WordListBuilder.h"
#include "engine/Misc1.h"

const std::array<QStringView, 316> Wordlist = {
    u"A",
    u"AB", u"A-B",
    u"ABC", u"A-BC", u"AB-C", u"A-B-C",
    u"ABCD", u"A-BCD", u"AB-CD", u"A-B-CD", u"ABC-D", u"A-BC-D", u"AB-C-D", u"A-B-C-D",
    u"ABD", u"A-BD", u"AB-D", u"A-B-D",
    u"ABDC", u"A-BDC", u"AB-DC", u"A-B-DC", u"ABD-C", u"A-BD-C", u"AB-D-C", u"A-B-D-C",
    u"AC", u"A-C",
    u"ACB", u"A-CB", u"AC-B", u"A-C-B",
    u"ACBD", u"A-CBD", u"A-CB-D", u"AC-BD", u"A-C-BD", u"ACB-D", u"AC-B-D", u"A-C-B-D",
    u"ACD", u"A-CD", u"AC-D", u"A-C-D",
    u"ACDB", u"A-CDB", u"AC-DB", u"A-C-DB", u"ACD-B", u"A-CD-B", u"AC-D-B", u"A-C-D-B",
    u"AD", u"A-D",
    u"ADB", u"A-DB", u"AD-B", u"A-D-B",
    u"ADBC", u"A-DBC", u"AD-BC", u"A-D-BC", u"ADB-C", u"A-DB-C", u"AD-B-C", u"A-D-B-C",
    u"ADC", u"A-DC", u"AD-C", u"A-D-C",
    u"ADCB", u"A-DCB", u"A-DC-B", u"AD-CB", u"A-D-CB", u"ADC-B", u"AD-C-B", u"A-D-C-B",
    u"B",
    u"BA", u"B-A",
    u"BAC", u"B-AC", u"BA-C", u"B-A-C",
    u"BACD", u"B-ACD", u"B-A-CD", u"BAC-D", u"B-AC-D", u"BA-CD", u"BA-C-D", u"B-A-C-D",
    u"BAD", u"B-AD", u"BA-D", u"B-A-D",
    u"BADC", u"B-ADC", u"BA-DC", u"B-A-DC", u"BAD-C", u"B-AD-C", u"BA-D-C", u"B-A-D-C",
    u"BC", u"B-C",
    u"BCA", u"B-CA", u"BC-A", u"B-C-A",
    u"BCAD", u"B-CAD", u"BC-AD", u"B-C-AD", u"BCA-D", u"B-CA-D", u"BC-A-D", u"B-C-A-D",
    u"BCD", u"B-CD", u"BC-D", u"B-C-D",
    u"BCDA", u"B-CDA", u"B-CD-A", u"BC-DA", u"B-C-DA", u"BCD-A", u"BC-D-A", u"B-C-D-A",
    u"BD", u"B-D",
    u"BDA", u"B-DA", u"BD-A", u"B-D-A",
    u"BDAC", u"B-DAC", u"BD-AC", u"B-D-AC", u"BDA-C", u"B-DA-C", u"BD-A-C", u"B-D-A-C",
    u"BDC", u"B-DC", u"BD-C", u"B-D-C",
    u"BDCA", u"B-DCA", u"B-DC-A", u"BD-CA", u"B-D-CA", u"BDC-A", u"BD-C-A", u"B-D-C-A",
    u"C",
    u"CA", u"C-A",
    u"CAB", u"C-AB", u"CA-B", u"C-A-B",
    u"CABD", u"C-ABD", u"C-A-BD", u"CAB-D", u"C-AB-D", u"CA-BD", u"CA-B-D", u"C-A-B-D",
    u"CAD", u"C-AD", u"CA-D", u"C-A-D",
    u"CADB", u"C-ADB", u"CA-DB", u"C-A-DB", u"CAD-B", u"C-AD-B", u"CA-D-B", u"C-A-D-B",
    u"CB", u"C-B",
    u"CBA", u"C-BA", u"CB-A", u"C-B-A",
    u"CBAD", u"C-BAD", u"C-B-AD", u"CBA-D", u"C-BA-D", u"CB-AD", u"CB-A-D", u"C-B-A-D",
    u"CBD", u"C-BD", u"CB-D", u"C-B-D",
    u"CBDA", u"C-BDA", u"C-BD-A", u"CB-DA", u"C-B-DA", u"CBD-A", u"CB-D-A", u"C-B-D-A",
    u"CD", u"C-D",
    u"CDA", u"C-DA", u"CD-A", u"C-D-A",
    u"CDAB", u"C-DAB", u"C-D-AB", u"CDA-B", u"C-DA-B", u"CD-AB", u"CD-A-B", u"C-D-A-B",
    u"CDB", u"C-DB", u"CD-B", u"C-D-B",
    u"CDBA", u"C-DBA", u"CD-BA", u"C-D-BA", u"CDB-A", u"C-DB-A", u"CD-B-A", u"C-D-B-A",
    u"D",
    u"DA", u"D-A",
    u"DAB", u"D-AB", u"DA-B", u"D-A-B",
    u"DABC", u"D-ABC", u"D-A-BC", u"DAB-C", u"D-AB-C", u"DA-BC", u"DA-B-C", u"D-A-B-C",
    u"DAC", u"D-AC", u"DA-C", u"D-A-C",
    u"DACB", u"D-ACB", u"D-A-CB", u"DAC-B", u"D-AC-B", u"DA-CB", u"DA-C-B", u"D-A-C-B",
    u"DB", u"D-B",
    u"DBA", u"D-BA", u"DB-A", u"D-B-A",
    u"DBAC", u"D-BAC", u"DB-AC", u"D-B-AC", u"DBA-C", u"D-BA-C", u"DB-A-C", u"D-B-A-C",
    u"DBC", u"D-BC", u"DB-C", u"D-B-C",
    u"DBCA", u"D-BCA", u"DB-CA", u"D-B-CA", u"DBC-A", u"D-BC-A", u"DB-C-A", u"D-B-C-A",
    u"DC", u"D-C",
    u"DCA", u"D-CA", u"DC-A", u"D-C-A",
    u"DCAB", u"D-CAB", u"D-CA-B", u"DC-AB", u"D-C-AB", u"DCA-B", u"DC-A-B", u"D-C-A-B",
    u"DCB", u"D-CB", u"DC-B", u"D-C-B",
    u"DCBA", u"D-CBA", u"DC-BA", u"D-C-BA", u"DCB-A", u"D-CB-A", u"DC-B-A", u"D-C-B-A",
};

QString WordListName(QStringView pattern, const QString (&words)[4], bool minus)
{
    QString name;
    for (const QChar c : pattern.trimmed()) {
        if (c >= u'A' && c <= u'D')
            name += words[c.unicode() - u'A'];
        else if (c == u'-' && minus)
            name += u'-';
    }
    return name;
}

SourceEnd AddWordListNames(TMisc1& engine)
{
    const MainOptions options = engine.view()->options();
    for (const QStringView pattern : Wordlist) {
        const QString name = WordListName(pattern, options.Wordlist, options.WordMinusCheck);
        engine.ProcessMessages();
        if (engine.StopRequest)
            return SourceEnd::Stopped;
        engine.AddItemToSearchList(name);
    }
    return SourceEnd::Finished;
}
