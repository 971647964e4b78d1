#!/usr/bin/env python3
"""Writes servers.txt, tlds.txt and nostrings.txt from the tables below.

A maintainer tool, not part of the build: edit the data here, run
`python3 data/make_tables.py`, and commit the three text files it writes. It
refuses to write anything when the result breaks one of the table invariants
(counts, kinds, indexes, telling rows) that the program and its tests rely on.

Servers are named in the rows by their short text: "@host" for "whois.host",
"#alias" for an HTTP template defined in HTTP_TEMPLATES, or the full host name.
A server that occurs twice in the table is named "text~2" for its second line.
The table lists the servers in the order the rows first name them (a second
copy straight after the first), except the ones pinned to the front; the
servers no row names go to the fixed positions of UNREFERENCED.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# The phrase a server sends for a name that is not registered, by number.
NO_STRINGS = [
    "Not found!", "not found", "NOT FOUND", "Domain Not Found", "nothing found",
    "No entries", "not registered", "does not exist!", "Could not find a match", "no matches",
    "no Match", "Pattern not found", "no entries", "No data", "No domain registered",
    "NO MATCH", "NO entry", ">Domain Available<",
    ">Please complete this form to register your domain<", "No match",
    "is available in the following TLDs", "We do not have an entry in our database",
    "Inscripción del nombre de dominio", "<b>0</b> kirje", "No objects were found",
    "domain név még nincs regisztrálva", "The domain specified does not exist",
    "No matching entries", "has not yet been registered", "is available",
    "El dominio se encuentra disponible", "No data found", "no live registration",
    "Domen je slobodan", "no records matching", "<td> REGISTERED &nbsp;",
    "Domain not registered", "No such domain name", "domain is available",
    "Domínio inexistente", "No records", "No se encontro", "is still available",
    "nie istnieje", "Domain Available", "not currently listed",
    "domain név még nincs regisztrálva", "available.gif", "<b>Yes</b>",
    "/image/available.gif",
]

# Phrase numbers of whois servers (and of full host names). A server missing here
# has no comma in its line; None gives a comma with no number after it.
WHOIS_PHRASES = {
    "@networksolutions.com": 1, "@gandi.net": 2, "@afilias.info": 3, "@afilias.net": 3,
    "com.whois-servers.net": None, "@internic.net": None,
    "@pir.org": 4, "@educause.edu": 16, "@nic.museum": 13, "@aeda.net.ae": 32,
    "@nic.at": 5, "@auda.org.au": 3, "@punktum.dk": 6, "@nic.ch": 22, "@nic.li": 22,
    "@nic.cz": 13, "@nic.fr": 3, "@fi": 4, "@dns.hr": 13, "@nic.im": 2, "@nic.ir": 13,
    "@isnic.is": 6, "@isoc.org.il": 14, "@kr": 2, "@nic.kz": 5, "@registry.om": 32,
    "@rotld.ro": 6, "@tcinet.ru": 6, "@iis.se": 2, "@iis.nu": 2, "@sgnic.sg": 4,
    "@register.si": 6, "@nic.tm": 30, "@nic.io": 30, "@nic.sh": 30, "@ua": 6,
}
# Second copies of a server with their own phrase number.
WHOIS_PHRASES_SECOND = {"@ripe.net~2": 13}

# HTTP lookup pages: alias -> (template, phrase number or absent). A template
# written "#..." stands for "http://..."; the one "https://" template is written in full.
HTTP_TEMPLATES = {
    "#com": ("#www.networksolutions.com/whois/results.jsp?domain=<name>", 48),
    "#enom": ("#www.enom.com/domains/search-results.aspx?query=<shortname>&tld=<ext>", 50),
    "#internic": ("#www.internic.net/cgi/whois?whois_nic=<name>&type=domain", 11),
    "#gov": ("#www.dotgov.gov/whois.aspx?domain=<name>", 20),
    "#mil": ("#www.nic.mil/cgi-bin/whois?<name>", 20),
    "#godaddy": ("#www.godaddy.com/domains/search.aspx?checkAvail=1&domainToCheck=<name>", 49),
    "#biz": ("#www.nic.biz/whois?query=<name>", 35),
    "#info": ("#www.afilias.info/cgi-bin/whois.cgi?domain=<shortname>&tld=<ext>", 21),
    "#pro": ("#www.registrypro.pro/whois?domain=<name>", 46),
    "#icb": ("#www.nic.ac/cgi-bin/whois?query=<name>", 43),
    "#icb~2": ("#www.nic.ac/cgi-bin/whois?query=<name>", 30),
    "#es": ("https://www.dominios.es/dominios/en/whois?dominio=<shortname>&extension=<ext>", 31),
    "#nic.es": ("#www.nic.es/cgi-bin/whois?dominio=<name>", 23),
    "#ao": ("#www.dns.ao/ao/whois/?domain=<shortname>&tld=<ext>", 39),
    "#az": ("#whois.az/cgi-bin/whois.cgi?lang=en&domain=<shortname>&dom=.<ext>", 45),
    "#ba": ("#nic.ba/lat/menu/view/13?whois=<name>", 8),
    "#bb": ("#whois.telecoms.gov.bb/search?domain=<name>", 9),
    "#bt": ("#www.nic.bt/whois?domain=<name>", 18),
    "#cu": ("#www.nic.cu/dom_det.php?domsrch=<name>", 42),
    "#cy": ("#www.nic.cy/cy-ui/domains/search?name=<shortname>&ext=<ext>", 19),
    "#gm": ("#www.nic.gm/scripts/checkdom.asp?dname=<shortname>", 29),
    "#gq": ("#www.dominio.gq/en/whois.html?domain=<name>", 10),
    "#gr": ("#grweb.ics.forth.gr/public/whois?lang=en&domainName=<name>", 41),
    "#gt": ("#www.gt/sitio/whois.php?dn=<shortname>&lang=en", 42),
    "#jo": ("#www.domain.jo/FirstPageen.aspx?domain=<shortname>&ext=<ext>", 39),
    "#mo": ("#www.monic.mo/monic/faces/whois?domain=<name>", 9),
    "#ni": ("#www.nic.ni/consulta.php?dominio=<shortname>&ext=<ext>", 31),
    "#np": ("#register.com.np/whois-lookup?domain=<name>", 28),
    "#pa": ("#www.nic.pa/en/whois/dominio/<name>", 42),
    "#ph": ("#whois.dot.ph/?search=<name>", 45),
    "#pn": ("#www.nic.pn/whois.php?domain=<name>", 17),
    "#ps": ("#www.pnina.ps/whois/?domain=<name>", 37),
    "#py": ("#www.nic.py/consultdompy.php?dominio=<shortname>&ext=<ext>", 42),
    "#sv": ("#svnet.sv/accion/procesos.php?dominio=<shortname>&ext=<ext>", 31),
    "#tj": ("#www.nic.tj/cgi/whois?domain=<shortname>", 36),
    "#tt": ("#www.nic.tt/cgi-bin/search.pl?name=<name>", 43),
    "#uy": ("#www.nic.uy/Registrar/whois?dominio=<name>", 42),
    "#vn": ("#www.vnnic.vn/en/whois-information?lookup=1&domain=<name>", 39),
    "#alt.za": ("#whois.alt.za/cgi-bin/whois.cgi?domain=<shortname>", 46),
    "#edu.za": ("#whois.edu.za/cgi-bin/whois.cgi?domain=<shortname>", 46),
    "#an": ("#www.una.an/an_domreg/default.asp?domain=<name>", 15),
    "#tp": ("#www.nic.tp/cgi-bin/whois?domain=<name>", 33),
    "#yu": ("#www.nic.yu/cgi-bin/checkdomain.cgi?domain=<shortname>", 34),
    "#hk": ("#www.hkirc.hk/content.jsp?id=280&domain=<name>", 29),
    "#hm": ("#www.registry.hm/HR_whois2.php?domain_name=<shortname>&submit=Check", 30),
    "#mt": ("#www.nic.org.mt/dir/whois?domain=<name>", 27),
    "#pl": ("#www.dns.pl/cgi-bin/en_whois.pl?domain=<name>", 44),
    "#ee": ("#www.internet.ee/domains/whois?domain=<name>", 24),
    "#lb": ("#www.lbdr.org.lb/whois?domain=<name>", 41),
    "#qa": ("#www.domains.qa/en/whois?domain=<name>", 32),
    "#bh": ("#www.nic.bh/whois?domain=<name>", 38),
    "#lk": ("#www.nic.lk/index.php/domain-registration/lookup?domain=<name>", 7),
    "#norid": ("#www.norid.no/en/domeneoppslag/?query=<name>", 6),
    "#whois.com": ("#www.whois.com/whois/<name>", 30),
    "#who.is": ("#who.is/whois/<name>", 43),
    "#domaintools": ("#whois.domaintools.com/<name>", 39),
    "#iana": ("#www.iana.org/whois?q=<name>", 12),
    "#eg": ("#www.egregistry.eg/whois.php?domain=<shortname>&ext=<ext>", 25),
    "#hu": ("#www.domain.hu/domain/domainsearch/?tld=<ext>&domain=<shortname>", 26),
    "#hu.en": ("#www.domain.hu/domain/English/domainsearch/?tld=<ext>&domain=<shortname>", 47),
    "#pt": ("#www.dns.pt/cgi-bin/whois.cgi?dominio=<shortname>&ext=<ext>", 40),
    "#nominet": ("#www.nominet.org.uk/cgi-bin/whois.cgi?query=<name>", None),
}

CACHE = "Cache Domains Taken List"

# One line per group of keys that share a row: "keys: servers" (first is the default).
ROWS = """
com: @verisign-grs.com com.whois-servers.net @networksolutions.com @internic.net @gandi.net #com
net: @verisign-grs.com net.whois-servers.net @crsnic.net @nsiregistry.net @internic.net #internic #enom
org: @pir.org org.whois-servers.net @publicinterestregistry.net @dotster.com #enom
edu: @educause.edu edu.whois-servers.net @educause.net #internic
gov: #gov
mil: #mil
aero: @aero @information.aero
biz: #godaddy #biz @nic.biz
coop: @nic.coop
info: #godaddy #info @afilias.info @afilias.net
museum: @nic.museum @museum
name: @nic.name name.whois-servers.net
pro: #pro @registrypro.pro
ac: #icb~2 @nic.ac
ae co.ae org.ae gov.ae ac.ae net.ae sch.ae: @aeda.net.ae @uaenic.ae
af: @nic.af
ag com.ag net.ag: @nic.ag
ai com.ai off.ai net.ai org.ai: @nic.ai
com.al net.al: #whois.com
am: @amnic.net
an: #an
ao: #ao
aq: #whois.com
ar: @nic.ar
as: @nic.as
at co.at or.at: @nic.at at.whois-servers.net
com.au net.au asn.au edu.au org.au info.au id.au: @auda.org.au au.whois-servers.net @aunic.net @ausregistry.net.au
az: #az @az
ba: #ba @ripe.net
bb: #bb
be: @dns.be be.whois-servers.net @ripe.net
bf: @registre.bf
bg: @register.bg @digsys.bg @imena.bg
com.bh: #bh @nic.bh
bi: whois1.nic.bi
bm: @nic.bm
bn: @bnnic.bn
bo com.bo net.bo: @nic.bo
br: @registro.br br.whois-servers.net @nic.br
bt: #bt
bv: #norid
by: @cctld.by @ripe.net
bz com.bz net.bz org.bz: @identitydigital.services whois2.afilias-grs.net @belizenic.bz
ca: @cira.ca ca.whois-servers.net @co.ca @webnames.ca @easydns.com @tucows.com @domainpeople.com @godaddy.com @namecheap.com @enom.com @markmonitor.com @register.com
cc: ccwhois.verisign-grs.com @nic.cc
cd: @nic.cd
cf cg: #who.is
ch: @nic.ch ch.whois-servers.net
ci: @nic.ci
co.ck net.ck org.ck: #domaintools
cl: @nic.cl
cm: @nic.cm
cn: @cnnic.cn cn.whois-servers.net @cnnic.net.cn
com.co net.co org.co: @registry.co @nic.co
cr: @nic.cr
cu: #cu
cx: @nic.cx
cy: #cy @ripe.net~2
cz: @nic.cz @ripe.net~2
de: @denic.de de.whois-servers.net
dj: #whois.com
dk: @punktum.dk dk.whois-servers.net @dk-hostmaster.dk
com.do net.do org.do art.do web.do: @nic.do
dz: @nic.dz
com.ec net.ec org.ec pro.ec fin.ec ec: @nic.ec
ee: #ee @tld.ee @eenet.ee
com.eg net.eg org.eg: #eg @dotmasr.eg
es: #es #nic.es @nic.es
et: #who.is
fi: CACHE @fi fi.whois-servers.net @ficora.fi
com.fj biz.fj info.fj name.fj org.fj pro.fj: www.whois.fj
fk: #domaintools
fm: @nic.fm
fo: @nic.fo
fr com.fr org.fr asso.fr nom.fr tm.fr: @nic.fr fr.whois-servers.net
gb: #iana
ge: @nic.ge
gf: @mediaserv.net
gg: @gg @channelisles.net
gh com.gh org.gh: @nic.gh
gi com.gi ltd.gi org.gi: @identitydigital.services whois2.afilias-grs.net @afilias-grs.info
gl: @nic.gl
gm: #gm
gn: @ande.gov.gn
gp: @nic.gp
gq: #gq
gr: #gr @ripe.net~2
gs: @nic.gs @adamsnames.tc
gt: #gt
gu com.gu net.gu org.gu: #domaintools
com.hk net.hk org.hk: #hk @hkirc.hk @hknic.net.hk
hm: #hm @registry.hm
hr: @dns.hr @carnet.hr
hu co.hu: @nic.hu #hu
info.hu: @nic.hu #hu.en
tm.hu: CACHE @nic.hu #hu
co.id or.id net.id web.id: @id
ie: CACHE @weare.ie @domainregistry.ie @iedr.ie
co.il net.il org.il: @isoc.org.il @ripe.net~2
co.im ltd.im net.im org.im plc.im: @nic.im
in co.in firm.in ac.in res.in gov.in mil.in net.in org.in ind.in gen.in: @nixiregistry.in @registry.in @inregistry.net
io: @nic.io #icb
ir: @nic.ir
is: @isnic.is
it: @nic.it it.whois-servers.net
je: @je @channelisles.net
com.jo net.jo org.jo: #jo
ac.jp ad.jp co.jp gr.jp ne.jp or.jp: @jprs.jp jp.whois-servers.net @nic.ad.jp
co.ke: @kenic.or.ke
kg: @kg
kh: #whois.com
kn: @nic.kn
kr: @kr kr.whois-servers.net @krnic.net @nic.or.kr
com.kw net.kw org.kw: @nic.kw
ky com.ky org.ky net.ky: @kyregistry.ky
kz: @nic.kz
com.lb org.lb net.lb: #lb @lbdr.org.lb
lc com.lc: @identitydigital.services whois2.afilias-grs.net
li: @nic.li
lk: #lk @nic.lk
lr: #who.is
ls: @nic.ls
lt: @domreg.lt
lu: @dns.lu @restena.lu
lv com.lv net.lv org.lv id.lv asn.lv conf.lv: @nic.lv
ly com.ly org.ly net.ly: @nic.ly
ma: @registre.ma
mc: CACHE @nic.mc
md: @nic.md
mg: @nic.mg
mh: #domaintools
mk: @marnet.mk
mm: @registry.gov.mm
mn: @nic.mn
com.mo net.mo org.mo: #mo @monic.mo
mp: #whois.com
mq: @mediaserv.net
mr: @nic.mr
ms: @nic.ms @adamsnames.tc
com.mt net.mt org.mt: #mt @nic.org.mt
mu: @tld.mu
mw: @nic.mw
mx: @mx mx.whois-servers.net @nic.mx
my com.my net.my org.my: @mynic.my @mynic.net.my
mz: @nic.mz
na: @na-nic.com.na
nc: @nc
nf: @nic.nf
ng: @nic.net.ng
ni: #ni
nl: @domain-registry.nl nl.whois-servers.net
no: @norid.no no.whois-servers.net
np: #np
nu: @iis.nu
ac.nz co.nz net.nz iwi.nz cri.nz org.nz gen.nz: @irs.net.nz nz.whois-servers.net @srs.net.nz @domainz.net.nz
om com.om net.om org.om: @registry.om
pa com.pa net.pa org.pa ac.pa nom.pa: #pa
pe com.pe net.pe org.pe: kero.yachay.pe @rcp.net.pe
pg: @nic.pg
ph com.ph net.ph org.ph ngo.ph: #ph @dot.ph
pk: @pknic.net.pk
pl: #pl @dns.pl
pm: @nic.pm
pn: #pn
pr: @nic.pr
ps: #ps @pnina.ps
pt com.pt net.pt org.pt nome.pt publ.pt int.pt: @dns.pt #pt
pw: @nic.pw
py: #py
com.qa net.qa org.qa: #qa @registry.qa
re: @nic.re
ro: @rotld.ro
ru: @tcinet.ru ru.whois-servers.net @ripn.net @nic.ru @nic.net.ru
com.ru: @flexireg.net @nic.ru
rw: @ricta.org.rw
com.sa net.sa org.sa pub.sa: @nic.net.sa
sb: @nic.net.sb
sc: @nic.sc
sd: @nic.sd
se: @iis.se se.whois-servers.net @nic-se.se
com.sg net.sg org.sg pers.sg: @sgnic.sg @nic.net.sg
sh: @nic.sh #icb
si: @register.si @arnes.si
sj: #norid
sk: @sk-nic.sk
sm: @nic.sm
sn: @nic.sn
so: @nic.so
st: @nic.st
com.sv gob.sv org.sv: #sv
sy: @tld.sy
co.sz: #who.is
tc: @nic.tc @adamsnames.tc
tf: @nic.tf
tg: @nic.tg
th co.th or.th in.th or.th ac.th net.th go.th: @thnic.co.th @thnic.net
tj biz.tj dyn.tj com.tj my.tj web.tj: #tj
tm: @nic.tm
tn: @ati.tn
to: @tonicregistry.to @tonic.to
tp com.tp net.tp org.tp: #tp @nic.tl @nic.tp
com.tr org.tr net.tr gen.tr nom.tr k12.tr: @trabis.gov.tr @nic.tr @metu.edu.tr
tt co.tt com.tt net.tt org.tt pro.tt info.tt name.tt: #tt
tv: @nic.tv tvwhois.verisign-grs.com
tw com.tw org.tw net.tw idv.tw: @twnic.net.tw tw.whois-servers.net @twnic.net
tz co.tz or.tz ne.tz go.tz: @tznic.or.tz
ua com.ua net.ua org.ua: @ua @com.ua @dotukr.com
co.ug or.ug se.ug go.ug ne.ug: @co.ug
uk co.uk: @nic.uk uk.whois-servers.net @ja.net #nominet
plc.uk: @nic.uk~2 uk.whois-servers.net @ja.net #nominet
com.uy net.uy org.uy gob.uy: #uy @nic.org.uy
uz co.uz com.uz: @cctld.uz
com.ve net.ve org.ve int.ve bib.ve tec.ve web.ve arts.ve nom.ve info.ve: @nic.ve
vg: @nic.vg @adamsnames.tc
co.vi: @nic.vi
com.vn net.vn org.vn int.vn: #vn
vu: @dnrs.vu
wf: @nic.wf
ws com.ws net.ws org.ws: @website.ws @worldsite.ws
yt: @nic.yt
ac.yu co.yu org.yu: #yu @rnids.rs @nic.me
ac.za: @ac.za
alt.za: #alt.za
bourse.za city.za: @nic.za
co.za: @registry.net.za @coza.net.za
edu.za: #edu.za
gov.za: @gov.za
law.za mil.za: @nic.za
net.za: net-whois.registry.net.za
ngo.za nom.za: @nic.za
org.za: org-whois.registry.net.za
school.za tm.za: @nic.za
web.za: web-whois.registry.net.za
co.zm org.zm gov.zm sch.zm ac.zm: @zicta.zm
"""

# Servers that no row names, each at its fixed line: old registry hosts and the
# address registries, which answer for networks rather than domain names.
UNREFERENCED = {
    4: "rs.internic.net",
    55: "@arin.net",
    273: "@apnic.net",
    277: "@lacnic.net",
    291: "@afrinic.net",
    293: "@nic.gov",
    306: "@nic.mil",
    310: "@neulevel.biz",
}

# Lines placed before every other, in this order.
PINNED_FIRST = ["@networksolutions.com"]

SERVER_LINES = 357


def server_line(label):
    """The line of the Servers table for a label used in ROWS or UNREFERENCED."""
    if label == "CACHE":
        return CACHE
    if label.startswith("#"):
        template, phrase = HTTP_TEMPLATES[label]
        return f"{template},{phrase}" if phrase is not None else template
    text = label.split("~")[0]
    if label in WHOIS_PHRASES_SECOND:
        return f"{text},{WHOIS_PHRASES_SECOND[label]}"
    if "~" not in label and text in WHOIS_PHRASES:
        phrase = WHOIS_PHRASES[text]
        return f"{text}," if phrase is None else f"{text},{phrase}"
    return text


def parse_rows():
    rows = []
    for line in ROWS.strip().splitlines():
        keys, servers = line.split(":")
        for key in keys.split():
            rows.append((key, servers.split()))
    return rows


def build():
    rows = parse_rows()
    order = list(PINNED_FIRST)
    for _, labels in rows:
        for label in labels:
            if "~" in label and label.split("~")[0] not in order:
                order.append(label.split("~")[0])
            if label not in order:
                order.append(label)
    table = []
    referenced = iter(order)
    for index in range(SERVER_LINES - 1):
        if index in UNREFERENCED:
            table.append(UNREFERENCED[index])
        else:
            table.append(next(referenced, None))
    leftover = list(referenced)
    if None in table or leftover:
        sys.exit(f"the rows name {len(order)} servers; {SERVER_LINES - 1 - len(UNREFERENCED)} fit")
    index_of = {label: i for i, label in enumerate(table)}
    server_lines = [server_line(label) for label in table] + [""]
    server_lines[0] += "   "  # the first entry carries blanks after its number
    tld_lines = [f"{key}=" + ",".join(str(index_of[l]) for l in labels) for key, labels in rows]
    return server_lines, tld_lines


def full_name(line):
    if not line:
        return ""
    if line[0] == "@":
        line = "whois." + line[1:]
    elif line[0] == "#":
        line = "http://" + line[1:]
    return line.split(",")[0]


def check(servers, tlds):
    problems = []

    def expect(what, got, wanted):
        if got != wanted:
            problems.append(f"{what}: {got}, expected {wanted}")

    expect("server lines", len(servers), 357)
    expect("last server line", servers[-1], "")
    entries = servers[:-1]
    expect("@ entries", sum(s.startswith("@") for s in entries), 256)
    expect("# entries", sum(s.startswith("#") for s in entries), 61)
    full = [s for s in entries if s[0] not in "@#"]
    expect("full entries", len(full), 39)
    expect("https templates", sum(s.startswith("https://") for s in full), 1)
    expect("pseudo-server lines", entries.count(CACHE), 1)
    with_comma = [s for s in entries if "," in s]
    expect("entries with a comma", len(with_comma), 98)
    numbers = [s.split(",", 1)[1].strip() for s in with_comma]
    numbers = [int(n) for n in numbers if n.isdigit()]
    expect("entries with a phrase number", len(numbers), 96)
    expect("phrase numbers used", sorted(set(numbers)), list(range(1, 51)))
    texts = [s.split(",")[0] for s in entries]
    twice = sorted(t for t in set(texts) if texts.count(t) > 1)
    expect("servers appearing more than once", len(twice), 3)
    if any(texts.count(t) != 2 for t in twice):
        problems.append("a server appears more than twice")
    expect("HTTP servers appearing twice", sum(full_name(t).startswith("http") for t in twice), 1)
    for entry in entries:
        name = full_name(entry)
        if name.startswith("http") and not any(p in name for p in ("<name>", "<shortname>", "<ext>", "<falseip>")):
            problems.append(f"HTTP template without a placeholder: {entry}")
        if " " in name and name != CACHE:
            problems.append(f"blank in a server name: {entry}")

    expect("TLD lines", len(tlds), 457)
    keys = [t.split("=")[0] for t in tlds]
    expect("two-letter keys", sum(len(k) == 2 for k in keys), 173)
    expect("or.th lines", keys.count("or.th"), 2)
    expect("first keys", keys[:4], ["com", "net", "org", "edu"])
    used = set()
    kinds = {"whois": 0, "http": 0, "cache": 0}
    for line in tlds:
        items = [int(i) for i in line.split("=", 1)[1].split(",")]
        if not 1 <= len(items) <= 12:
            problems.append(f"row length {len(items)}: {line}")
        used.update(items)
        first = full_name(servers[items[0]])
        kinds["cache" if first == CACHE else "http" if first.startswith("http") else "whois"] += 1
    expect("default kinds", kinds, {"whois": 335, "http": 118, "cache": 4})
    expect("unreferenced lines", sorted(set(range(357)) - used), [4, 55, 273, 277, 291, 293, 306, 310, 356])
    return problems


def main():
    servers, tlds = build()
    problems = check(servers, tlds)
    if problems:
        sys.exit("not written:\n  " + "\n  ".join(problems))
    files = {"servers.txt": servers, "tlds.txt": tlds, "nostrings.txt": [f'"{p}"' for p in NO_STRINGS]}
    for name, lines in files.items():
        with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
    print(f"wrote {len(servers)} servers, {len(tlds)} TLDs, {len(NO_STRINGS)} phrases")


if __name__ == "__main__":
    main()
