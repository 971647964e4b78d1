#pragma once
// The built-in tables as compiled from data/servers.txt, tlds.txt, nostrings.txt, whoishosts.txt,
// refusals.txt, furthertlds.txt, rdap-dns.json, rdap-overrides.txt, pacing.txt, tld-policy.tsv
// and reserved.txt.
namespace tarnwick::data {
extern const char* const ServersText[];
extern const int ServersTextCount;
extern const char* const TLDsText[];
extern const int TLDsTextCount;
extern const char* const NoStringsText[];
extern const int NoStringsTextCount;
extern const char* const WhoisHostsText[];
extern const int WhoisHostsTextCount;
extern const char* const RefusalsText[];
extern const int RefusalsTextCount;
extern const char* const FurtherTLDsText[];     // data/furthertlds.txt: "key=whois host"
extern const int FurtherTLDsTextCount;
extern const char* const RdapBootstrapText[];   // data/rdap-dns.json, a line an entry
extern const int RdapBootstrapTextCount;
extern const char* const RdapOverridesText[];   // data/rdap-overrides.txt
extern const int RdapOverridesTextCount;
extern const char* const PacingText[];   // data/pacing.txt
extern const int PacingTextCount;
extern const char* const TldPolicyText[];   // data/tld-policy.tsv: who may register under each TLD
extern const int TldPolicyTextCount;
extern const char* const ReservedText[];    // data/reserved.txt: a whois reply for a name held back
extern const int ReservedTextCount;
}
