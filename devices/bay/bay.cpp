#include "bay/bay.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::bay {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

char upperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

template <typename T> bool toNumber(std::string_view text, T& value) {
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool toBool(std::string_view text, bool& value) {
    const std::string t = lower(text);
    if (t == "yes" || t == "true" || t == "1" || t == "on")
        value = true;
    else if (t == "no" || t == "false" || t == "0" || t == "off")
        value = false;
    else
        return false;
    return true;
}

bool toLetter(std::string_view text, char& letter) {
    if (text.size() != 1 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    letter = upperLetter(text[0]);
    return true;
}

// The value part of "key = value": either a double-quoted text, in which a
// backslash escapes the next character, or a bare text that ends where a comment
// (";" or "#" after a blank) begins.
std::optional<std::string> parseValue(std::string_view raw) {
    raw = trim(raw);
    if (!raw.empty() && raw.front() == '"') {
        std::string out;
        size_t i = 1;
        for (; i < raw.size() && raw[i] != '"'; ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size())
                ++i;
            out += raw[i];
        }
        if (i >= raw.size())
            return std::nullopt; // no closing quote
        std::string_view rest = trim(raw.substr(i + 1));
        if (!rest.empty() && rest.front() != ';' && rest.front() != '#')
            return std::nullopt;
        return out;
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        if ((raw[i] == ';' || raw[i] == '#') && (i == 0 || isBlank(raw[i - 1])))
            return std::string(trim(raw.substr(0, i)));
    }
    return std::string(raw);
}

std::string quoteIfNeeded(std::string_view value) {
    bool needed = !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || value.front() == '"');
    for (char c : value)
        needed = needed || c == ';' || c == '#' || c == '\\';
    if (!needed)
        return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string join(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : " ") + item;
    return out;
}

std::string joinScript(const std::vector<ScriptEntry>& script) {
    std::string out;
    for (const auto& e : script)
        out += (out.empty() ? "" : " ") + e.kind + ":" + std::to_string(e.code);
    return out;
}

bool validId(std::string_view id) {
    if (id.empty())
        return false;
    for (char c : id)
        if (isBlank(c) || c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

class Parser {
public:
    std::optional<Bay> run(std::string_view text) {
        int lineNo = 0;
        while (!text.empty()) {
            size_t end = text.find('\n');
            std::string_view line = trim(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            ++lineNo;
            if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF"))
                line = trim(line.substr(3));
            if (line.empty() || line.front() == ';' || line.front() == '#')
                continue;
            std::string problem = line.front() == '[' ? section(line) : entry(line);
            if (!problem.empty()) {
                error = "line " + std::to_string(lineNo) + ": " + problem;
                return std::nullopt;
            }
        }
        std::sort(bay.drives.begin(), bay.drives.end(),
                  [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
        return bay;
    }

    std::string error;

private:
    enum class Kind { None, Bay, Drive, Disc, Robot };

    std::string section(std::string_view line) {
        size_t close = line.find(']');
        if (close == std::string_view::npos || !trim(line.substr(close + 1)).empty())
            return "a section header must look like [kind name]";
        std::string_view inner = trim(line.substr(1, close - 1));
        size_t blank = inner.find_first_of(" \t");
        const std::string kind = lower(inner.substr(0, blank));
        std::string_view name = blank == std::string_view::npos ? "" : trim(inner.substr(blank));
        const std::string key = kind + " " + std::string(name);
        if (!seen.insert(kind == "drive"
                             ? "drive " + std::string(1, upperLetter(name.empty() ? ' ' : name[0]))
                             : key)
                 .second)
            return "section [" + std::string(inner) + "] appears twice";
        if (kind == "bay" && name.empty()) {
            current = Kind::Bay;
        } else if (kind == "drive") {
            Drive d;
            if (!toLetter(name, d.letter))
                return "a drive is named by one letter";
            bay.drives.push_back(d);
            current = Kind::Drive;
        } else if (kind == "disc") {
            if (!validId(name))
                return "a disc needs an identifier without blanks";
            Disc d;
            d.id = std::string(name);
            bay.discs.push_back(d);
            current = Kind::Disc;
        } else if (kind == "robot") {
            Robot r;
            if (!toNumber(name, r.id))
                return "a robot is named by a decimal 32-bit number";
            bay.robots.push_back(r);
            current = Kind::Robot;
        } else {
            return "unknown section [" + std::string(inner) + "]";
        }
        return {};
    }

    std::string entry(std::string_view line) {
        size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return "expected key = value";
        const std::string key = lower(trim(line.substr(0, eq)));
        std::optional<std::string> parsed = parseValue(line.substr(eq + 1));
        if (!parsed)
            return "badly quoted value for " + key;
        const std::string& v = *parsed;
        bool ok = false;
        switch (current) {
        case Kind::None:
            return "key " + key + " before any section";
        case Kind::Bay:
            if (key == "realdrives")
                ok = toBool(v, bay.realDrives);
            else if (key == "script")
                ok = script(v, bay.script);
            else
                return "unknown key " + key + " in [bay]";
            break;
        case Kind::Drive: {
            Drive& d = bay.drives.back();
            if (key == "name") {
                d.name = v;
                ok = true;
            } else if (key == "tray") {
                ok = lower(v) == "open" || lower(v) == "closed";
                d.trayOpen = lower(v) == "open";
            } else if (key == "disc") {
                d.disc = v;
                ok = v.empty() || validId(v);
            } else {
                return "unknown key " + key + " in a drive";
            }
            break;
        }
        case Kind::Disc: {
            Disc& d = bay.discs.back();
            if (key == "label") {
                d.label = v;
                ok = true;
            } else if (key == "medium") {
                ok = toNumber(v, d.medium) && d.medium >= 0 && d.medium <= 8;
            } else if (key == "size") {
                ok = toNumber(v, d.size) && d.size >= 0;
            } else if (key == "folder") {
                d.folder = v;
                ok = true;
            } else if (key == "query") {
                ok = lower(v) == "ok" || lower(v) == "fail";
                d.queryFails = lower(v) == "fail";
            } else {
                return "unknown key " + key + " in a disc";
            }
            break;
        }
        case Kind::Robot: {
            Robot& r = bay.robots.back();
            if (key == "usable") {
                ok = toBool(v, r.usable);
            } else if (key == "drives") {
                r.drives.clear();
                ok = true;
                for (const auto& w : words(v)) {
                    char letter = 0;
                    ok = ok && toLetter(w, letter);
                    r.drives.push_back(letter);
                }
            } else if (key == "input" || key == "output" || key == "reject") {
                std::vector<std::string>& list = key == "input"    ? r.input
                                                 : key == "output" ? r.output
                                                                   : r.reject;
                list = words(v);
                ok = true;
            } else if (key == "delay") {
                ok = toNumber(v, r.delayMs) && r.delayMs >= 0;
            } else if (key == "script") {
                ok = script(v, r.script);
            } else {
                return "unknown key " + key + " in a robot";
            }
            break;
        }
        }
        return ok ? std::string() : "bad value for " + key + ": " + v;
    }

    static bool script(std::string_view v, std::vector<ScriptEntry>& out) {
        auto parsed = parseScript(v);
        if (parsed)
            out = *parsed;
        return parsed.has_value();
    }

    Bay bay;
    Kind current = Kind::None;
    std::set<std::string> seen;
};

} // namespace

Drive* Bay::drive(char letter) {
    letter = upperLetter(letter);
    for (auto& d : drives)
        if (d.letter == letter)
            return &d;
    return nullptr;
}

const Drive* Bay::drive(char letter) const {
    return const_cast<Bay*>(this)->drive(letter);
}

Disc* Bay::disc(std::string_view id) {
    if (id.empty())
        return nullptr;
    for (auto& d : discs)
        if (d.id == id)
            return &d;
    return nullptr;
}

const Disc* Bay::disc(std::string_view id) const {
    return const_cast<Bay*>(this)->disc(id);
}

Robot* Bay::robot(int32_t id) {
    for (auto& r : robots)
        if (r.id == id)
            return &r;
    return nullptr;
}

Robot* Bay::robotServing(char letter) {
    letter = upperLetter(letter);
    for (auto& r : robots)
        if (std::find(r.drives.begin(), r.drives.end(), letter) != r.drives.end())
            return &r;
    return nullptr;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            out.emplace_back(text.substr(start, i - start));
    }
    return out;
}

std::optional<std::vector<ScriptEntry>> parseScript(std::string_view text) {
    std::vector<ScriptEntry> out;
    for (const auto& w : words(text)) {
        size_t colon = w.find(':');
        ScriptEntry e;
        if (colon == 0 || colon == std::string::npos ||
            !toNumber(std::string_view(w).substr(colon + 1), e.code))
            return std::nullopt;
        e.kind = lower(w.substr(0, colon));
        out.push_back(e);
    }
    return out;
}

std::optional<int32_t> takeScripted(std::vector<ScriptEntry>& script, std::string_view kind) {
    auto it =
        std::find_if(script.begin(), script.end(), [&](const ScriptEntry& e) { return e.kind == kind; });
    if (it == script.end())
        return std::nullopt;
    int32_t code = it->code;
    script.erase(it);
    return code;
}

std::optional<Bay> parse(std::string_view text, std::string* error) {
    Parser parser;
    std::optional<Bay> bay = parser.run(text);
    if (!bay && error)
        *error = parser.error;
    return bay;
}

std::string format(const Bay& bay) {
    std::ostringstream out;
    out << "; Velmora device bay: virtual drives, discs and robots (see README.md)\n\n";
    out << "[bay]\nrealDrives = " << (bay.realDrives ? "yes" : "no") << "\n";
    if (!bay.script.empty())
        out << "script = " << joinScript(bay.script) << "\n";
    for (const auto& d : bay.drives) {
        out << "\n[drive " << d.letter << "]\n";
        out << "name = " << quoteIfNeeded(d.name) << "\n";
        out << "tray = " << (d.trayOpen ? "open" : "closed") << "\n";
        out << "disc = " << d.disc << "\n";
    }
    for (const auto& d : bay.discs) {
        out << "\n[disc " << d.id << "]\n";
        out << "label = " << quoteIfNeeded(d.label) << "\n";
        out << "medium = " << d.medium << "\n";
        out << "size = " << d.size << "\n";
        out << "folder = " << quoteIfNeeded(d.folder) << "\n";
        out << "query = " << (d.queryFails ? "fail" : "ok") << "\n";
    }
    for (const auto& r : bay.robots) {
        out << "\n[robot " << r.id << "]\n";
        out << "usable = " << (r.usable ? "yes" : "no") << "\n";
        std::vector<std::string> letters;
        for (char c : r.drives)
            letters.emplace_back(1, c);
        out << "drives = " << join(letters) << "\n";
        out << "input = " << join(r.input) << "\n";
        out << "output = " << join(r.output) << "\n";
        out << "reject = " << join(r.reject) << "\n";
        out << "delay = " << r.delayMs << "\n";
        out << "script = " << joinScript(r.script) << "\n";
    }
    // An empty value is written as "key =", without a trailing blank.
    std::string text = out.str();
    for (size_t at = text.find(" = \n"); at != std::string::npos; at = text.find(" = \n", at))
        text.erase(at + 2, 1);
    return text;
}

std::filesystem::path defaultDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    return base / "Velmora";
}

std::filesystem::path bayFile(const std::filesystem::path& dataFolder) {
    return dataFolder / "bay.ini";
}

std::filesystem::path discFolder(const std::filesystem::path& bayFile, const Disc& disc) {
    std::filesystem::path folder(disc.folder);
    if (disc.folder.empty())
        return {};
    if (folder.is_relative())
        folder = bayFile.parent_path() / folder;
    return std::filesystem::absolute(folder).lexically_normal();
}

LoadResult load(const std::filesystem::path& file, Bay& bay, std::string* error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (error)
            *error = "no bay file " + file.string();
        return LoadResult::Missing;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string problem;
    std::optional<Bay> parsed = parse(text.str(), &problem);
    if (!parsed) {
        if (error)
            *error = file.string() + ": " + problem;
        return LoadResult::Damaged;
    }
    bay = std::move(*parsed);
    return LoadResult::Ok;
}

Lock::Lock(const std::filesystem::path& bayFile) {
    std::error_code ec;
    std::filesystem::create_directories(bayFile.parent_path(), ec);
    const std::string lockName = bayFile.string() + ".lock";
    fd_ = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

Lock::~Lock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the descriptor releases the lock
}

bool save(const std::filesystem::path& file, const Bay& bay, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::string temp = file.string() + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        if (error)
            *error = "cannot write " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    const std::string text = format(bay);
    bool ok = ::fchmod(fd, 0644) == 0;
    size_t done = 0;
    while (ok && done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n > 0 ? size_t(n) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok) {
        if (error)
            *error = "cannot write " + file.string() + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
    }
    return ok;
}

} // namespace velmora::bay
