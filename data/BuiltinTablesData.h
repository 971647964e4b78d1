#pragma once
// The built-in tables as compiled from data/servers.txt, data/tlds.txt and data/nostrings.txt.
namespace tarnwick::data {
extern const char* const ServersText[];
extern const int ServersTextCount;
extern const char* const TLDsText[];
extern const int TLDsTextCount;
extern const char* const NoStringsText[];
extern const int NoStringsTextCount;
}
