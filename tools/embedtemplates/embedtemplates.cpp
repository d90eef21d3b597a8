// Turns a template file (a .php.in, .html.in, …) into a C++ header that
// holds its sections as constant pieces, so that the generators fill them
// without parsing anything at run time and a malformed marker stops the
// build instead of a Generate run.
//
// A template file is UTF-8 with LF line ends:
//   - lines before the first section line are a note for the reader;
//   - a line «=name» opens the section `name`, which runs up to the next
//     section line or the end of the file;
//   - «name» in a section's text is a marker that the generator fills in;
//   - «+» at the very end of a line drops that line's end.
// Every other line end becomes CR LF, as in the generated files.
//
// Usage: embedtemplates <input> <output header> <namespace>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kOpen = "\xC2\xAB";  // «
const std::string kClose = "\xC2\xBB"; // »

struct Piece {
    bool marker = false;
    std::string text; // UTF-8
};

struct Section {
    std::string name;
    int line = 0;
    std::vector<Piece> pieces;
};

[[noreturn]] void fail(const std::string &file, int line, const std::string &what)
{
    std::cerr << file << ':' << line << ": " << what << '\n';
    std::exit(1);
}

bool isName(const std::string &s)
{
    if (s.empty())
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

void appendText(Section &s, const std::string &text)
{
    if (text.empty())
        return;
    if (s.pieces.empty() || s.pieces.back().marker)
        s.pieces.push_back({false, {}});
    s.pieces.back().text += text;
}

// One line of a section, without its LF.
void addLine(const std::string &file, int lineNo, Section &s, const std::string &line)
{
    size_t pos = 0;
    bool joined = false;
    while (pos < line.size()) {
        const size_t open = line.find(kOpen, pos);
        const size_t stray = line.find(kClose, pos);
        if (stray < open)
            fail(file, lineNo, "» without its opening «");
        if (open == std::string::npos) {
            appendText(s, line.substr(pos));
            break;
        }
        appendText(s, line.substr(pos, open - pos));
        const size_t nameStart = open + kOpen.size();
        const size_t close = line.find(kClose, nameStart);
        if (close == std::string::npos)
            fail(file, lineNo, "« without its closing »");
        const std::string name = line.substr(nameStart, close - nameStart);
        pos = close + kClose.size();
        if (name == "+") {
            if (pos != line.size())
                fail(file, lineNo, "«+» must end its line");
            joined = true;
            break;
        }
        if (!isName(name))
            fail(file, lineNo, "marker «" + name + "» is not a name");
        s.pieces.push_back({true, name});
    }
    if (!joined)
        appendText(s, "\r\n");
}

// The text as a C++ UTF-16 literal, split at line ends to keep it readable.
std::string literal(const std::string &utf8)
{
    std::string out = "u\"";
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += char(c);
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n\"";
            if (i + 1 < utf8.size())
                out += "\n        u\"";
            else
                return out;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '?') {
            out += "\\?"; // no trigraphs
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X\"u\"", c);
            out += buf;
        } else {
            out += char(c); // UTF-8 in the source: the compiler converts it
        }
    }
    return out + '"';
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: embedtemplates <input> <output header> <namespace>\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    const std::string ns = argv[3];

    std::ifstream in(input, std::ios::binary);
    if (!in)
        fail(input, 0, "cannot be read");
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    if (text.find('\r') != std::string::npos)
        fail(input, 0, "holds a CR: template files have LF line ends");
    std::string fileName = input.substr(input.find_last_of('/') + 1);

    std::vector<Section> sections;
    std::set<std::string> names;
    size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            fail(input, lineNo + 1, "the last line has no line end");
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        const std::string head = kOpen + "=";
        if (line.rfind(head, 0) == 0) {
            if (line.size() < head.size() + kClose.size()
                || line.compare(line.size() - kClose.size(), kClose.size(), kClose) != 0)
                fail(input, lineNo, "a section line is «=name» alone");
            const std::string name = line.substr(head.size(), line.size() - head.size() - kClose.size());
            if (!isName(name))
                fail(input, lineNo, "section «=" + name + "» is not a name");
            if (!names.insert(name).second)
                fail(input, lineNo, "section «=" + name + "» comes twice");
            sections.push_back({name, lineNo, {}});
            continue;
        }
        if (sections.empty())
            continue; // the note
        addLine(input, lineNo, sections.back(), line);
    }
    if (sections.empty())
        fail(input, lineNo, "holds no section");

    std::ostringstream h;
    h << "// Generated from " << fileName << "; edit that file instead.\n"
      << "#pragma once\n#include \"generator/template.h\"\n\nnamespace tess::tpl::" << ns << " {\n";
    for (const Section &s : sections) {
        h << "\ninline constexpr TemplatePiece " << s.name << "_pieces[] = {\n";
        if (s.pieces.empty())
            h << "    {TemplatePiece::Text, u\"\"},\n";
        for (const Piece &p : s.pieces)
            h << "    {" << (p.marker ? "TemplatePiece::Marker" : "TemplatePiece::Text") << ", " << literal(p.text)
              << "},\n";
        h << "};\ninline constexpr Template " << s.name << "{\"" << fileName << ':' << s.name << "\", " << s.name
          << "_pieces};\n";
    }
    h << "\n} // namespace tess::tpl::" << ns << "\n";

    // Rewritten only when the text changes, so that unchanged templates
    // rebuild nothing.
    const std::string next = h.str();
    std::ifstream old(output, std::ios::binary);
    if (old) {
        std::stringstream was;
        was << old.rdbuf();
        if (was.str() == next)
            return 0;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << next;
    if (!out)
        fail(output, 0, "cannot be written");
    return 0;
}
