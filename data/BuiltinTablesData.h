#pragma once
// The built-in tables as compiled from data/servers.txt, tlds.txt, nostrings.txt, whoishosts.txt
// and refusals.txt.
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
}
