#pragma once
// The help-text file "con_help" beside the program: records of three
// fields (topic id, title, body), each field quoted text (which may hold
// commas and line breaks) or unquoted text up to the next comma or line
// end, trimmed; fields are separated by commas or line ends.
#include <QString>

namespace tess {

struct HelpTopic {
    bool found = false;
    QString title;
    QString body; // as the help window shows it: "%%" made paragraph breaks
};

// The first record of the id in the file; not found gives an empty title
// and "No help topics found for this item.". Raises an error when the file
// cannot be read or its last record is cut short. Blank lines at the end of
// the file are no record.
HelpTopic readHelpTopic(const QString &path, const QString &id);

// A body as shown: every line break (CR LF, LF or CR) one blank, then
// every "%%" two line breaks (CR LF CR LF).
QString helpBodyText(QString body);

} // namespace tess
