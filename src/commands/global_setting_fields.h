// The fields of the global setting dialog that check what the user gives:
// the post configure file name and the NC output path.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

// A post file name brought to the dialog's rule: blanks removed, cut before
// the first ".", ".WCF" appended.
std::string postFileName(const std::string& text);
// The part of a name after its last directory separator.
std::string filePartOf(const std::string& name);

// The typed name and the browse button of pcf_name. Each may show messages,
// scans the post file and leaves the name (or the previous one) in the
// settings; the answer is the text the field shows.
std::string editTypedPostFile(Host& host, const FormSpec& form, int field);
std::string browsePostFile(Host& host, const FormSpec& form, int field);

// The typed path and the browse button of NC_path; the settings keep the
// new path (or the previous one); the answer is the text the field shows.
std::string editTypedNcPath(Host& host, const FormSpec& form, int field);
std::string browseNcPath(Host& host);

// The "Path Error!! " question: true when the user chose to create the path.
bool askCreatePath(Host& host);

}  // namespace optgrind
