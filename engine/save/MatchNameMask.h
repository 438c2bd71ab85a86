// The file filters' name masks ("*.TXT", "REP*", "FILE?.DOC").
#pragma once

// 1 when the name matches the mask, 0 when not. Both are upper-cased by the
// caller; comparisons are exact. A mask without "*" and "?" matches any name
// that contains it; otherwise a mask is matched from the name's start, "?"
// standing for one character and "*" for a run of them, and the characters
// after the last "*" must end the name.
int MatchNameMask(const wchar_t* name, const wchar_t* mask);
