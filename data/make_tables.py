#!/usr/bin/env python3
"""Writes the built-in tables from the data below: servers.txt, tlds.txt,
nostrings.txt, whoishosts.txt, furthertlds.txt, refusals.txt and reserved.txt, and
checks tld-policy.tsv (a copy of the registration policy of each TLD).

A maintainer tool, not part of the build: edit the data here, run
`python3 data/make_tables.py`, and commit the text files it writes. It
refuses to write anything when the result breaks one of the table invariants
(counts, kinds, indexes, telling rows) that the program and its tests rely on,
or when a phrase would misjudge one of the sample replies in data/replies/.

Servers are named in the rows by their short text: "@host" for "whois.host",
"#alias" for an HTTP template defined in HTTP_TEMPLATES, or the full host name.
A server that occurs twice in the table is named "text~2" for its second line.
The table lists the servers in the order the rows first name them (a second
copy straight after the first), except the ones pinned to the front; the
servers no row names go to the fixed positions of UNREFERENCED.
"""
import hashlib
import json
import os
import re
import sys
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))

# The phrase a server sends for a name that is not registered, by number (one-based).
# The first fifty are stored in users' settings by number: never change or reorder them.
FIRST_PHRASES = [
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

FIRST_PHRASES_SHA256 = "5e75bdee9ba36f0a2f6c6fef2ba66060abf50d632eeeeeb4048cb5ee03e50791"

# Today's not-found texts, numbered on from 51 in this order. A phrase is a plain
# substring of the reply, compared case-insensitively, so it must stay inside one line
# (printable ASCII, no "~") and must never occur in a reply for a registered name,
# terms-of-use paragraphs included.
TODAYS_PHRASES = [
    "Status: free",                                # 51 DENIC, NIC.LV
    "Status: AVAILABLE",                           # 52 EURid, DNS Belgium ("Status: NOT AVAILABLE" when taken)
    ".nl is free",                                 # 53 SIDN: "name.nl is free"
    "%% NOT FOUND",                                # 54 AFNIC (.fr and the overseas TLDs it runs)
    "No match!!",                                  # 55 JPRS
    "No entries found for the selected source",    # 56 TCI, Punktum dk, ROTLD: "... source(s)." / "... source."
    "No information available about domain name", # 57 NASK
    "This domain name has not been registered",    # 58 Nominet
    "no entries found",                            # 59 FRED registries: "%ERROR:101: no entries found"
    "Not found:",                                  # 60 .nz, CIRA: "Not found: name.nz"
    "no matching record",                          # 61 CNNIC
    "Status:             AVAILABLE",               # 62 .it (thirteen blanks)
    "no se encuentra registrado",                  # 63 NIC Argentina
    "registration status: available",              # 64 .bg
    "Object does not exist",                       # 65 .by
    "no existe",                                   # 66 NIC Chile: "name.cl: no existe"
    "No Object Found",                             # 67 CoCCA-software registries: "Domain Status: No Object Found"
    "does not exist in database",                  # 68 MYNIC
    "No Found",                                    # 69 TWNIC
    "Object_Not_Found",                            # 70 NIC Mexico: "No_Se_Encontro_El_Objeto/Object_Not_Found"
    "No such domain",                              # 71 .lu: "% No such domain."
]
NO_STRINGS = FIRST_PHRASES + TODAYS_PHRASES


def phrase_number(text):
    """The number of a phrase, found by its exact text."""
    if text not in NO_STRINGS:
        sys.exit(f"not written: no phrase {text!r} (phrases are named by their exact text)")
    return NO_STRINGS.index(text) + 1


# Phrase numbers of whois servers that keep the number they were given with their
# row: registrar servers and alternatives. A server missing here and in
# TODAYS_SERVERS has no comma in its line; None gives a comma with no number after it.
WHOIS_PHRASES = {
    "@networksolutions.com": 1, "@gandi.net": 2, "@afilias.info": 3, "@afilias.net": 3,
    "com.whois-servers.net": None, "@internic.net": None, "@fi": 4,
}
# Second copies of a server with their own phrase number.
WHOIS_PHRASES_SECOND = {"@ripe.net~2": 13}

# What each whois server sends today for a name that is not registered: the phrase
# text, then the servers (row labels) that send it. Every default whois server of a
# row is here, except the Verisign-style ones of NO_MATCH_DEFAULTS; a few
# alternatives are here too where their registry's text is known. Where a registry's
# reply could not be confirmed the phrase is a best guess (see data/README.md):
# mostly "not found", which the registries of today's common back-ends send in some form.
TODAYS_SERVERS = [
    # Identity Digital ("Domain not found."), CentralNic and GoDaddy Registry's newer
    # servers ("The queried object does not exist: DOMAIN NOT FOUND"), PANDI, SGNIC.
    ("Domain Not Found", "@pir.org @aero @nic.ag @nic.ai @nic.bm @identitydigital.services @registry.co "
                         "@nic.fm @nic.fo @nic.gl @id @nic.io @nic.mn @tld.mu @nic.pr @nic.pw @nic.sc "
                         "@sgnic.sg @nic.sh @nic.vg @nic.ac @nic.me @nic.co @nic.bh"),
    ("NOT FOUND", "@auda.org.au"),
    ("not found", "@iis.se @iis.nu @kr @nic.im @cctld.uz @sk-nic.sk @kg "
                  # best guesses: replies not confirmed
                  "@nic.coop @nic.museum @nic.as @registre.bf whois1.nic.bi @bnnic.bn @nic.bo @nic.cd "
                  "@nic.ci @nic.cm @nic.do @nic.ec www.whois.fj @nic.ge @mediaserv.net @gg @je @nic.gh "
                  "@ande.gov.gn @nic.gp @nixiregistry.in @kenic.or.ke @nic.kn @nic.kw @kyregistry.ky "
                  "@nic.ls @domreg.lt @nic.md @nic.mg @registry.gov.mm @nic.mr @nic.ms @nic.mw @nic.mz "
                  "@na-nic.com.na @nic.pg @pknic.net.pk @ricta.org.rw @nic.net.sb @nic.sd @nic.sm "
                  "@nic.sn @nic.so @tld.sy @nic.tc @nic.tg @ati.tn @tonicregistry.to @tznic.or.tz "
                  "@co.ug @nic.ve @nic.vi @dnrs.vu @website.ws @zicta.zm @ac.za @nic.za @gov.za "
                  "@registry.net.za net-whois.registry.net.za org-whois.registry.net.za "
                  "web-whois.registry.net.za "
                  # best guesses for the whois servers that replaced old web pages and taken lists
                  "@nic.biz @tld.ee @hkirc.hk @registry.hm @weare.ie @lbdr.org.lb @nic.lk @nic.mc "
                  "@nic.org.mt @registry.qa"),
    ("No data found", "@aeda.net.ae @registry.om @nic.tv"),
    ("No data", "@isoc.org.il"),
    ("no entries", "@nic.ir @dns.hr"),
    ("NO MATCH", "@educause.edu"),
    ("nothing found", "@nic.at @nic.kz"),
    ("No entries", "@isnic.is @register.si @ua @nc @nic.st"),
    ("No match", "@amnic.net @registro.br @nic.hu @norid.no @dns.pt @nic.net.sa @thnic.co.th @trabis.gov.tr"),
    ("We do not have an entry in our database", "@nic.ch @nic.li"),
    ("is available", "@nic.tm"),
    ("Status: free", "@denic.de @nic.lv"),
    ("Status: AVAILABLE", "@dns.be"),
    (".nl is free", "@domain-registry.nl"),
    ("%% NOT FOUND", "@nic.fr @nic.pm @nic.re @nic.tf @nic.wf @nic.yt"),
    ("No match!!", "@jprs.jp"),
    ("No entries found for the selected source", "@punktum.dk @tcinet.ru @flexireg.net @rotld.ro"),
    ("No information available about domain name", "@dns.pl"),
    ("This domain name has not been registered", "@nic.uk @nic.uk~2"),
    ("no entries found", "@nic.cz @nic.cr @marnet.mk"),
    ("Not found:", "@irs.net.nz @cira.ca"),
    ("no matching record", "@cnnic.cn"),
    ("Status:             AVAILABLE", "@nic.it"),
    ("no se encuentra registrado", "@nic.ar"),
    ("registration status: available", "@register.bg"),
    ("Object does not exist", "@cctld.by"),
    ("no existe", "@nic.cl"),
    ("No Object Found", "@nic.af @nic.cx @nic.dz @nic.gs @nic.ly @registre.ma @nic.nf @nic.net.ng kero.yachay.pe"),
    ("does not exist in database", "@mynic.my"),
    ("No Found", "@twnic.net.tw"),
    ("Object_Not_Found", "@mx"),
    ("No such domain", "@dns.lu"),
]

# Default whois servers that name no phrase: Verisign's servers, whose
# `No match for "NAME.COM".` the default phrase "No Match" finds.
NO_MATCH_DEFAULTS = ["@verisign-grs.com", "ccwhois.verisign-grs.com", "@nic.name"]
DEFAULT_PHRASE = "No Match"


def add_todays_servers():
    """Merges TODAYS_SERVERS into WHOIS_PHRASES and WHOIS_PHRASES_SECOND."""
    seen = set()
    for text, labels in TODAYS_SERVERS:
        number = phrase_number(text)
        for label in labels.split():
            if label in seen or label in WHOIS_PHRASES or label in WHOIS_PHRASES_SECOND:
                sys.exit(f"{label} is given a phrase twice")
            seen.add(label)
            (WHOIS_PHRASES_SECOND if "~" in label else WHOIS_PHRASES)[label] = number


add_todays_servers()

# Whois hosts that the Servers table lacks, with their registry's phrase: the program
# looks a server's phrase up here when servers.txt does not name it. Full host names.
WHOIS_HOSTS = [
    ("Domain Not Found", "whois.nic.xyz whois.centralnic.com whois.centralnic.net whois.nic.la "
                         "whois.nic.online whois.nic.site whois.nic.store whois.nic.tech "
                         "whois.nic.google whois.nic.info whois.nic.mobi whois.nic.pro"),
    ("No data found", "whois.nic.us"),
    ("Status: AVAILABLE", "whois.eu"),
]

# The TLDs the TLD table lacks, offered after its rows: every label of the shipped RDAP
# bootstrap (rdap-dns.json with rdap-overrides.txt on top) that is not a key of the table,
# in alphabetical order, written to furthertlds.txt as "key=whois host". Every name of the
# new-gTLD list (1,104 in its 2026 copy) is among them; IDN TLDs are kept by their A-label.
# "arpa" is left out: an infrastructure TLD under which nobody registers names.
FURTHER_LEFT_OUT = {"arpa"}

# Whois hosts other than whois.nic.<tld>, as tld_serv_list (2026) gives them. jobs, mobi and
# travel have switched whois off (tld_serv_list: NONE); they keep whois.nic.<tld> and RDAP answers.
FURTHER_WHOIS_HOSTS = {
    "int": "whois.iana.org", "au": "whois.auda.org.au", "co": "whois.registry.co",
    "dm": "whois.dmdomains.dm", "fj": "www.whois.fj", "gy": "whois.registry.gy", "id": "whois.id",
    "ke": "whois.kenic.or.ke", "lb": "whois.lbdr.org.lb", "me": "whois.nic.me", "sg": "whois.sgnic.sg",
    "sr": "whois.sr", "vc": "whois.identitydigital.services", "ye": "whois.y.net.ye",
    "zm": "whois.zicta.zm", "xn--clchc0ea0b2g2a9gcd": "whois.ta.sgnic.sg",
    "xn--kpry57d": "whois.twnic.net.tw", "xn--o3cw4h": "whois.thnic.co.th",
    "xn--p1ai": "whois.tcinet.ru", "xn--yfro4i67o": "whois.zh.sgnic.sg",
}

# What a registry back-end's whois sends for a free name, by the host of the TLD's RDAP
# service (one back-end serves hundreds of TLDs). None: the default phrase "No Match".
OPERATOR_PHRASES = {
    "rdap.identitydigital.services": "Domain Not Found",     # "Domain not found."
    "rdap.publicinterestregistry.org": "Domain Not Found",   # PIR, as .org
    "pubapi.registry.google": "Domain Not Found",            # "Domain not found."
    "rdap.centralnic.com": "Domain Not Found",               # "... does not exist: DOMAIN NOT FOUND"
    "rdap.centralnicregistry.com": "Domain Not Found",
    "rdap.radix.host": "Domain Not Found",                   # Radix's TLDs run on CentralNic
    "tld-rdap.verisign.com": None,                           # 'No match for "NAME.TLD".'
}
# The other back-ends' texts are not confirmed: "not found" catches the common forms
# ("Domain not found", "DOMAIN NOT FOUND", "Not found:", "%% NOT FOUND"); a registry that
# says something else is judged taken, never wrongly free. RDAP answers these TLDs first.
GUESSED_OPERATOR_PHRASE = "not found"

# Texts that mean "this client is being limited, not answered": a reply holding one
# (case-insensitively) says nothing about the name. None may occur in a normal reply.
REFUSALS = [
    "WHOIS LIMIT EXCEEDED",           # PIR
    "query quota for",                # Nominet: "The WHOIS query quota for 1.2.3.4 has been exceeded"
    "request per second allowed",     # SIDN
    "whois-limit exceeded",           # SIDN: "daily whois-limit exceeded"
    "IP address blocked",             # DNS Belgium: "-3: IP address blocked"
    "Maximum queries per hour",       # DNS Belgium
    "connection limit exceeded",      # CZ.NIC
    "excessive querying",             # TCI
    "rate limit exceeded",
    "Too many requests",
    "try again later",
]

# Texts of a whois reply for a name that the registry holds back (reserved, blocked, not
# open for registration): such a name is no FREE, whatever the reply says besides, so these
# are looked for ahead of the "not registered" phrase. Compared as the phrases are; none
# may occur in a reply for a free or a registered name ("All rights reserved" and "may ...
# block clients" stand in terms-of-use paragraphs: hence no bare "reserved" or "blocked").
RESERVED = [
    "not available for registration",
    "reserved by the registry",
    "reserved by registry",
    "registry reserved",
    "domain is reserved",
    "name is reserved",
    "Status: reserved",
    "domain is blocked",
    "name is blocked",
    "Status: blocked",
]

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

# Rows whose first server was a web page or a registry's list of taken names and whose TLD
# has a whois server today (tld_serv_list, 2026): that server, already one of the row's,
# becomes the default, and the page or list stays in the row as a choice of the user's.
# Only the order inside these rows changes: the Servers table keeps its lines.
TODAYS_DEFAULTS = {
    "biz": "@nic.biz", "ac": "@nic.ac", "com.bh": "@nic.bh", "ee": "@tld.ee", "fi": "@fi",
    "com.hk": "@hkirc.hk", "net.hk": "@hkirc.hk", "org.hk": "@hkirc.hk", "hm": "@registry.hm",
    "tm.hu": "@nic.hu", "ie": "@weare.ie", "com.lb": "@lbdr.org.lb", "org.lb": "@lbdr.org.lb",
    "net.lb": "@lbdr.org.lb", "lk": "@nic.lk", "mc": "@nic.mc", "com.mt": "@nic.org.mt",
    "net.mt": "@nic.org.mt", "org.mt": "@nic.org.mt", "pl": "@dns.pl", "com.qa": "@registry.qa",
    "net.qa": "@registry.qa", "org.qa": "@registry.qa",
}


def with_todays_default(key, labels):
    """The row's servers with today's default first, the others in their order."""
    default = TODAYS_DEFAULTS.get(key)
    if default is None:
        return labels
    if default not in labels:
        sys.exit(f"{key}: today's default {default} is not a server of its row")
    return [default] + [label for label in labels if label != default]


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
    tld_lines = [f"{key}=" + ",".join(str(index_of[l]) for l in with_todays_default(key, labels)) for key, labels in rows]
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
    expect("entries with a comma", len(with_comma), 240)
    numbers = [s.split(",", 1)[1].strip() for s in with_comma]
    numbers = [int(n) for n in numbers if n.isdigit()]
    expect("entries with a phrase number", len(numbers), 238)
    expect("phrase numbers out of range", [n for n in numbers if not 1 <= n <= len(NO_STRINGS)], [])
    expect("phrases 1 to 50 unused", sorted(set(range(1, 51)) - set(numbers)), [])
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
    whois_defaults = set()
    for line in tlds:
        items = [int(i) for i in line.split("=", 1)[1].split(",")]
        if not 1 <= len(items) <= 12:
            problems.append(f"row length {len(items)}: {line}")
        used.update(items)
        first = full_name(servers[items[0]])
        kind = "cache" if first == CACHE else "http" if first.startswith("http") else "whois"
        kinds[kind] += 1
        if kind == "whois":
            whois_defaults.add(items[0])
    expect("default kinds", kinds, {"whois": 358, "http": 99, "cache": 0})
    expect("unreferenced lines", sorted(set(range(357)) - used), [4, 55, 273, 277, 291, 293, 306, 310, 356])

    # Every default whois server names today's phrase, except the Verisign-style ones
    # listed, which name none; and the phrase a default uses can match a reply line.
    exceptions = sorted(full_name(servers[i]) for i in whois_defaults if phrase_of_line(servers[i]) is None)
    expect("default whois servers without a phrase", exceptions,
           sorted(full_name(label) for label in NO_MATCH_DEFAULTS))
    expect("distinct default whois servers", len(whois_defaults), 173)
    for i in sorted(whois_defaults):
        phrase = phrase_of_line(servers[i])
        if phrase is not None and not matchable(phrase):
            problems.append(f"the phrase of default {servers[i]} cannot match a reply line: {phrase!r}")
    return problems


def phrase_of_line(line):
    """The phrase a Servers line names, or None when it names none ("No Match")."""
    if "," not in line:
        return None
    number = line.split(",", 1)[1].strip()
    if not number.isdigit() or not 1 <= int(number) <= len(NO_STRINGS):
        return None
    return NO_STRINGS[int(number) - 1]


def matchable(phrase):
    """True when a phrase can occur in a reply once it is cut into lines."""
    return bool(phrase) and all(32 <= ord(c) <= 125 for c in phrase)


def shipped_rdap_services():
    """The shipped bootstrap as the program reads it: label -> base URL, overrides winning."""
    with open(os.path.join(HERE, "rdap-dns.json"), encoding="utf-8") as f:
        bootstrap = json.load(f)
    services = {}
    for labels, urls in bootstrap["services"]:
        base = next((u for u in urls if u.startswith("https://")), next((u for u in urls if u.startswith("http://")), None))
        for label in labels:
            if base and label.lower() not in services:
                services[label.lower()] = base
    with open(os.path.join(HERE, "rdap-overrides.txt"), encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 2 and fields[0].strip() and not fields[0].startswith("#"):
                services[fields[0].strip().lower().lstrip(".")] = fields[1].strip()
    return services


def build_further(tlds):
    """furthertlds.txt's lines ("key=host"), and the phrase each of their hosts should get."""
    services = shipped_rdap_services()
    keys = {t.split("=")[0] for t in tlds}
    known = {host: text for text, hosts in WHOIS_HOSTS for host in hosts.split()}
    lines, phrases = [], {}
    for key in sorted(set(services) - keys - FURTHER_LEFT_OUT):
        host = FURTHER_WHOIS_HOSTS.get(key, f"whois.nic.{key}")
        operator = urllib.parse.urlsplit(services[key]).hostname
        phrase = OPERATOR_PHRASES.get(operator, GUESSED_OPERATOR_PHRASE)
        if host in known:   # a registry's confirmed text wins over its back-end's guess
            if operator in OPERATOR_PHRASES and phrase != known[host]:
                sys.exit(f"{host}: WHOIS_HOSTS gives {known[host]!r}, its back-end {phrase!r}")
            phrase = known[host]
        if phrases.get(host, phrase) != phrase:
            sys.exit(f"{host} serves TLDs of two back-ends with different phrases")
        phrases[host] = phrase
        lines.append(f"{key}={host}")
    return lines, phrases


def whois_host_lines(servers, further_phrases):
    """whoishosts.txt: the hosts of WHOIS_HOSTS, and the further TLDs' hosts that servers.txt
    does not name and that send a phrase of their own."""
    phrases = {}
    for text, hosts in WHOIS_HOSTS:
        for host in hosts.split():
            phrases[host] = text
    named = {full_name(s).lower() for s in servers if s}
    for host, text in further_phrases.items():
        if host in named:
            continue
        if text is not None:
            phrases.setdefault(host, text)
    return sorted(f"{host},{phrase_number(text)}" for host, text in phrases.items())


def check_further(tlds, further, servers, host_lines, further_phrases):
    problems = []
    keys = [line.split("=")[0] for line in further]
    table = {t.split("=")[0] for t in tlds}
    if keys != sorted(set(keys)):
        problems.append("further TLDs not sorted, or one twice")
    for key in keys:
        if key in table:
            problems.append(f"further TLD already a row of the table: {key}")
        if not all(label and len(label) <= 63 and all(c.isascii() and (c.isalnum() or c == "-") for c in label)
                   and label == label.lower() for label in key.split(".")):
            problems.append(f"further TLD is not a lower-case A-label: {key}")
    # With the table's 457 rows the program offers at least 1,500 TLDs.
    if len(table) + len(keys) < 1500:
        problems.append(f"{len(keys)} further TLDs: fewer than the 1,500 TLDs offered in all")
    for key in ("app", "dev", "xyz", "shop", "online", "tech"):
        if key not in keys:
            problems.append(f"further TLDs lack {key}")
    for line in further:
        host = line.split("=")[1]
        wanted = further_phrases[host]
        got = phrase_for_host(host, servers, host_lines)
        named = any(full_name(s).lower() == host for s in servers if s)
        if not named and got != (DEFAULT_PHRASE if wanted is None else wanted):
            problems.append(f"{host} is given {got!r}, its back-end sends {wanted!r}")
    return problems


def check_first_phrases():
    problems = []
    if len(FIRST_PHRASES) != 50:
        problems.append(f"{len(FIRST_PHRASES)} first phrases, expected 50")
    digest = hashlib.sha256("\n".join(FIRST_PHRASES).encode("utf-8")).hexdigest()
    if digest != FIRST_PHRASES_SHA256:
        problems.append("phrases 1 to 50 were changed; they keep their text and their numbers")
    duplicates = sorted(p for p in set(TODAYS_PHRASES) if NO_STRINGS.count(p) > 1)
    if duplicates:
        problems.append(f"new phrases that repeat an older one: {duplicates}")
    return problems


def check_whois_hosts(servers, host_lines):
    problems = []
    hosts = [line.split(",")[0] for line in host_lines]
    named = {full_name(s).lower() for s in servers if s}
    for line, host in zip(host_lines, hosts):
        number = int(line.split(",")[1])
        if host != host.lower() or "." not in host or any(c in host for c in " ,/:~") or host.startswith("http"):
            problems.append(f"whois host not a lower-case host name: {line}")
        if host in named:
            problems.append(f"whois host already in servers.txt: {host}")
        if not 1 <= number <= len(NO_STRINGS) or not matchable(NO_STRINGS[number - 1]):
            problems.append(f"whois host with an unusable phrase number: {line}")
    if hosts != sorted(set(hosts)):
        problems.append("whois hosts not sorted, or a host twice")
    return problems


def check_phrases_used(servers, host_lines):
    used = {int(n) for n in (s.split(",", 1)[1].strip() for s in servers if "," in s) if n.isdigit()}
    used |= {int(line.split(",")[1]) for line in host_lines}
    unused = [n for n in range(51, len(NO_STRINGS) + 1) if n not in used]
    return [f"new phrases no server uses: {unused}"] if unused else []


def check_refusals():
    problems = []
    lowered = [r.lower() for r in REFUSALS]
    if len(set(lowered)) != len(lowered):
        problems.append("a refusal text twice")
    for text in REFUSALS:
        if not matchable(text):
            problems.append(f"refusal text that cannot match a reply line: {text!r}")
    return problems


def check_reserved():
    problems = []
    if len({judged(r) for r in RESERVED}) != len(RESERVED):
        problems.append("a reserved-name text twice")
    for text in RESERVED:
        if not matchable(text):
            problems.append(f"reserved-name text that cannot match a reply line: {text!r}")
    return problems


# tld-policy.tsv: the registration policy of each TLD (2021-04-25), used as it stands.
TLD_POLICY = os.path.join(HERE, "tld-policy.tsv")
TLD_POLICY_HEADER = ["tld", "label", "type", "brand", "general_availability", "restricted"]


def check_tld_policy(tlds, further):
    """The program reads brand (column 4) and restricted (column 6) by A-label (column 1)."""
    problems = []
    with open(TLD_POLICY, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f if not line.startswith("#")]
    if not lines or lines[0].split("\t") != TLD_POLICY_HEADER:
        return ["tld-policy.tsv: the header line is not " + "\t".join(TLD_POLICY_HEADER)]
    policy = {}
    for line in lines[1:]:
        fields = line.split("\t")
        key = fields[0]
        if len(fields) != 6 or fields[3] not in ("0", "1") or fields[5] not in ("0", "1"):
            problems.append(f"tld-policy.tsv: not six fields with brand and restricted 0 or 1: {line!r}")
            continue
        if key != key.lower() or not key.isascii() or key in policy:
            problems.append(f"tld-policy.tsv: not a lower-case A-label, or twice: {key}")
        policy[key] = "brand" if fields[3] == "1" else "restricted" if fields[5] == "1" else "open"
    offered = {t.split("=")[0].split(".")[-1] for t in tlds} | {line.split("=")[0] for line in further}
    brands = sorted(k for k in offered if policy.get(k) == "brand")
    if len(brands) < 400:
        problems.append(f"tld-policy.tsv: {len(brands)} brand TLDs among those offered, expected 400 or more")
    for key, wanted in (("com", "open"), ("de", "open"), ("app", "open"), ("google", "brand"), ("amazon", "brand"),
                        ("bmw", "brand"), ("bank", "restricted"), ("aero", "restricted"), ("edu", "restricted")):
        if policy.get(key) != wanted:
            problems.append(f"tld-policy.tsv: .{key} is {policy.get(key)}, expected {wanted}")
    return problems


# The sample replies: data/replies/<key>.free and <key>.taken, judged by the host that
# index.tsv names; data/replies/refusals/ holds refusals as registries send them.
REPLIES = os.path.join(HERE, "replies")


def reply_text(data):
    """A reply as the program judges it: cut into lines at every byte below 32 or from
    126 up except TAB, which is a blank; the lines joined with CR LF, upper-cased, each run
    of blanks made one."""
    lines, line = [], bytearray()
    for byte in data:
        if byte == 9:
            line.append(32)
        elif byte < 32 or byte >= 126:
            lines.append(line.decode("ascii"))
            line = bytearray()
        else:
            line.append(byte)
    if line:
        lines.append(line.decode("ascii"))
    return re.sub(" +", " ", "".join(l + "\r\n" for l in lines).upper())


def judged(phrase):
    """A phrase as the program looks for it: upper-cased, each run of blanks or tabs one blank."""
    return re.sub("[ \t]+", " ", phrase.upper())


def phrase_for_host(host, servers, host_lines):
    """The phrase the program uses for a whois host: the last servers.txt line whose whole
    server text is the host's; else whoishosts.txt; else the default phrase."""
    short = host.lower()
    if short.startswith("whois."):
        short = "@" + short[6:]
    found = None
    for line in servers:
        if line and line.split(",")[0].rstrip().lower() == short:
            found = line
    if found is not None:
        phrase = phrase_of_line(found)
        return DEFAULT_PHRASE if phrase is None else phrase
    for line in host_lines:
        name, number = line.split(",")
        if name == host.lower():
            return NO_STRINGS[int(number) - 1]
    return DEFAULT_PHRASE


def fill(data, domain):
    return data.replace(b"%DOMAIN%", domain.lower().encode()).replace(b"%DOMAIN_UC%", domain.upper().encode())


def check_replies(servers, tlds, host_lines):
    problems = []
    index_path = os.path.join(REPLIES, "index.tsv")
    if not os.path.exists(index_path):
        return [f"missing {index_path}"]
    keys = {t.split("=")[0]: t for t in tlds}
    refusals = [r.upper() for r in REFUSALS]
    pairs = []
    with open(index_path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 2:
                problems.append(f"index.tsv line {number}: not key<TAB>host")
                continue
            pairs.append(fields)
    index_keys = [key for key, _ in pairs]
    if len(set(index_keys)) != len(index_keys):
        problems.append("index.tsv names a key twice")
    host_names = {line.split(",")[0] for line in host_lines}
    for key, host in pairs:
        if key in keys:
            row = [full_name(servers[int(i)]).lower() for i in keys[key].split("=")[1].split(",")]
            if host.lower() not in row:
                problems.append(f"{key}: {host} is not a server of its row")
        elif host.lower() not in host_names:
            problems.append(f"{key}: not a key of the TLD table and {host} not in whoishosts.txt")
        phrase = judged(phrase_for_host(host, servers, host_lines))
        for kind, name in (("free", "freeone"), ("taken", "takentwo")):
            path = os.path.join(REPLIES, f"{key}.{kind}")
            if not os.path.exists(path):
                problems.append(f"missing sample {key}.{kind}")
                continue
            with open(path, "rb") as f:
                text = reply_text(fill(f.read(), f"{name}.{key}"))
            for reserved in RESERVED:
                if judged(reserved) in text:
                    problems.append(f"{key}.{kind} holds the reserved-name text {reserved!r}")
            if (phrase in text) != (kind == "free"):
                verdict = "taken" if kind == "free" else "free"
                problems.append(f"{key}.{kind} judged {verdict} by {host}'s phrase {phrase!r}")
            for refusal in refusals:
                if refusal in text:
                    problems.append(f"{key}.{kind} holds the refusal text {refusal!r}")
    samples = {n for n in os.listdir(REPLIES) if n.endswith((".free", ".taken"))}
    expected = {f"{key}.{kind}" for key in index_keys for kind in ("free", "taken")}
    if samples - expected:
        problems.append(f"samples index.tsv does not name: {sorted(samples - expected)}")

    # Refusals: each holds a refusal text and no phrase of a default whois server.
    default_phrases = set()
    for line in tlds:
        first = servers[int(line.split("=")[1].split(",")[0])]
        if not full_name(first).startswith("http") and first != CACHE:
            phrase = phrase_of_line(first)
            default_phrases.add(judged(DEFAULT_PHRASE if phrase is None else phrase))
    folder = os.path.join(REPLIES, "refusals")
    names = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if not names:
        problems.append("no refusal samples")
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            text = reply_text(fill(f.read(), "freeone.example"))
        if not any(r in text for r in refusals):
            problems.append(f"refusals/{name} holds no refusal text")
        for phrase in sorted(p for p in default_phrases if p in text):
            problems.append(f"refusals/{name} would be judged free by {phrase!r}")
    return problems


def main():
    servers, tlds = build()
    further, further_phrases = build_further(tlds)
    host_lines = whois_host_lines(servers, further_phrases)
    problems = check_first_phrases() + check(servers, tlds) + check_whois_hosts(servers, host_lines)
    problems += check_further(tlds, further, servers, host_lines, further_phrases)
    problems += check_phrases_used(servers, host_lines) + check_refusals() + check_reserved()
    problems += check_tld_policy(tlds, further)
    problems += check_replies(servers, tlds, host_lines)
    if problems:
        sys.exit("not written:\n  " + "\n  ".join(problems))
    files = {
        "servers.txt": servers,
        "tlds.txt": tlds,
        "nostrings.txt": [f'"{p}"' for p in NO_STRINGS],
        "whoishosts.txt": host_lines,
        "furthertlds.txt": further,
        "refusals.txt": REFUSALS,
        "reserved.txt": RESERVED,
    }
    for name, lines in files.items():
        with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
    print(f"wrote {len(servers)} servers, {len(tlds)} TLDs, {len(NO_STRINGS)} phrases, "
          f"{len(host_lines)} whois hosts, {len(further)} further TLDs, {len(REFUSALS)} refusal texts, "
          f"{len(RESERVED)} reserved-name texts")


if __name__ == "__main__":
    main()
