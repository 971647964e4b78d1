# Turns the table files into one C++ source holding them as arrays of byte strings.
# One line of a file is one entry (a final line break ends the last entry; an empty
# line before it is an empty entry). The bytes are kept as they are (UTF-8).
function(emit_table var file out)
  file(READ ${file} raw)
  string(REPLACE "\r" "" raw "${raw}")
  string(REGEX REPLACE "\n$" "" raw "${raw}")
  string(REPLACE "\\" "\\\\" raw "${raw}")
  string(REPLACE "\"" "\\\"" raw "${raw}")
  string(REPLACE "?" "\\?" raw "${raw}")
  string(REGEX MATCHALL "\n" breaks "${raw}")
  list(LENGTH breaks count)
  math(EXPR count "${count} + 1")
  string(REPLACE "\n" "\",\n    \"" raw "${raw}")
  set(${out} "${${out}}extern const char* const ${var}[] = {\n    \"${raw}\",\n};\nextern const int ${var}Count = ${count};\n\n" PARENT_SCOPE)
endfunction()

set(text "// Generated from data/*.txt by GenerateTables.cmake; edit the text files instead.\nnamespace tarnwick::data {\n\n")
emit_table(ServersText ${SERVERS} text)
emit_table(TLDsText ${TLDS} text)
emit_table(NoStringsText ${NOSTRINGS} text)
emit_table(WhoisHostsText ${WHOISHOSTS} text)
emit_table(RefusalsText ${REFUSALS} text)
emit_table(FurtherTLDsText ${FURTHERTLDS} text)
# IANA's RDAP bootstrap (as published) and our overrides, one entry per line.
emit_table(RdapBootstrapText ${RDAPDNS} text)
emit_table(RdapOverridesText ${RDAPOVERRIDES} text)
emit_table(PacingText ${PACING} text)
# Who may register under each TLD (brand TLDs, eligibility rules), and the texts of a
# whois reply for a name the registry holds back.
emit_table(TldPolicyText ${TLDPOLICY} text)
emit_table(ReservedText ${RESERVED} text)
string(APPEND text "}\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
