#pragma once
#include "settings/TreeNodeList.h"
#include <QByteArray>
#include <QString>

class TServerTree;

// Config.dat: the server-assignment tree, serialised and packed into one zlib stream
// (compression level 9).
//
// Layout before packing (integers big-endian):
//
//   offset 0   4 bytes   format marker "TWCF"
//   offset 4   u16       layout version, 1
//   offset 6   u32       number of nodes that follow
//   then every node of the tree in pre-order (each TLD node followed by its servers):
//              u8        level: 0 for a TLD node, 1 for a server node
//              i8        state index: -1 for a TLD node, 1 to 4 for a server node
//              u32       number of children: the TLD's servers; 0 for a server node
//              u32       length of the text in bytes
//              bytes     the node's text in UTF-8
//
// Reading trusts nothing: every count and length is checked against the bytes that
// remain, and reading stops at the first node that breaks the layout, keeping every
// node before it. A stream that inflates only partly gives the nodes of the part that
// did. The state indexes read are then brought into line with the tree's rules: the
// kind follows the server's name, and a TLD with servers has exactly one default (its
// first marked default, else its first server).

QByteArray SerialiseTreeNodes(const TreeNodeList& nodes);
// The sound nodes at the start of `bytes`. `complete` tells whether the whole input was sound.
TreeNodeList ParseTreeNodes(const QByteArray& bytes, bool* complete = nullptr);

// The zlib stream of `bytes` at level 9.
QByteArray PackConfig(const QByteArray& bytes);
// Inflates one zlib stream. On damage or truncation returns what inflated before it and
// sets `complete` to false. Output is capped (far above any real tree) against bombs.
QByteArray UnpackConfig(const QByteArray& packed, bool* complete = nullptr);

// Writes the tree to `path`, replacing the file in one step (a temporary file renamed
// into place), so a failed write leaves the previous file whole. False when it failed.
bool SaveTreeview(const TServerTree& tree, const QString& path);
// Replaces the tree's nodes by what `path` holds soundly (possibly nothing). Returns
// false when the file was missing, unreadable, of another format or damaged.
bool LoadTreeview(TServerTree& tree, const QString& path);

inline const char* ConfigFileName() { return "Config.dat"; }
