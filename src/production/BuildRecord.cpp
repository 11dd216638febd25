#include "production/BuildRecord.h"

#include "base/Sha256.h"
#include "engine/LibraryVersions.h"
#include "production/BuildIdentity.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace fotoplex {

namespace {

constexpr const char* kHeader = "fotoplex build record 2";
constexpr std::size_t kFields = 13;

// A text that fits one field of a line: no tab, no line break.
bool fitsField(const std::string& text) {
    return text.find_first_of("\t\r\n") == std::string::npos;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool toNumber(const std::string& text, std::int64_t& number) {
    if (text.empty() || text.size() > 19) {
        return false;
    }
    std::size_t used = 0;
    try {
        number = std::stoll(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size();
}

bool toNumber(const std::string& text, std::uint64_t& number) {
    if (text.empty() || text.size() > 20 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    try {
        number = std::stoull(text);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// Five fields from `at`: size, modification, change, device, inode.
bool readStamp(const std::vector<std::string>& fields, std::size_t at, FileStamp& stamp) {
    return toNumber(fields[at], stamp.size) && toNumber(fields[at + 1], stamp.modified) &&
           toNumber(fields[at + 2], stamp.changed) && toNumber(fields[at + 3], stamp.device) &&
           toNumber(fields[at + 4], stamp.inode);
}

void writeStamp(std::ostream& out, const FileStamp& stamp) {
    out << stamp.size << '\t' << stamp.modified << '\t' << stamp.changed << '\t' << stamp.device
        << '\t' << stamp.inode;
}

std::string freshSalt() {
    std::random_device random;
    std::string seed;
    for (int i = 0; i < 8; ++i) {
        seed += std::to_string(random()) + ".";
    }
    return sha256Hex(seed).substr(0, 32);
}

bool isSalt(const std::string& text) {
    return text.size() == 32 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

} // namespace

std::string BuildRecord::thisBuild() {
    return std::string(kBuildIdentity) + " " + pixelLibraryVersions();
}

BuildRecord BuildRecord::Load(const std::string& targetDir) {
    return Load(targetDir, thisBuild());
}

BuildRecord BuildRecord::Load(const std::string& targetDir, const std::string& identity) {
    BuildRecord record;
    record.path_ = targetDir + kFileName;
    record.identity_ = identity;
    std::ifstream in(record.path_, std::ios::binary);
    if (in) {
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        if (!record.parse(text)) {
            record.entries_.clear();
            record.salt_.clear();
        }
    }
    if (record.salt_.empty()) {
        record.salt_ = freshSalt();
    }
    return record;
}

std::string BuildRecord::digest(const std::string& path) const {
    return sha256Hex(salt_ + '\n' + path);
}

// Header, identity, salt, then one line per output with thirteen tab-separated fields; the
// last line names the number of entries, so that a cut file is known as one.
bool BuildRecord::parse(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kHeader || !std::getline(lines, line) ||
        line != identity_ || !std::getline(lines, line) || !line.starts_with("salt\t") ||
        !isSalt(line.substr(5))) {
        return false;
    }
    salt_ = line.substr(5);
    std::int64_t count = -1;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() == 2 && fields[0] == "end") {
            return toNumber(fields[1], count) &&
                   count == static_cast<std::int64_t>(entries_.size()) &&
                   !std::getline(lines, line);
        }
        Entry entry;
        if (fields.size() != kFields || !readStamp(fields, 2, entry.sourceStamp) ||
            !readStamp(fields, 8, entry.outputStamp)) {
            return false;
        }
        entry.source = fields[1];
        entry.shaping = fields[7];
        entries_[fields[0]] = entry;
    }
    return false;
}

bool BuildRecord::upToDate(const std::string& output, const std::string& source,
                           const std::string& shaping) const {
    const auto found = entries_.find(digest(output));
    if (found == entries_.end()) {
        return false;
    }
    const Entry& entry = found->second;
    const FileStamp sourceNow = FileStamp::of(source);
    const FileStamp outputNow = FileStamp::of(output);
    return entry.source == digest(source) && entry.shaping == shaping && sourceNow.exists() &&
           sourceNow == entry.sourceStamp && outputNow.exists() && outputNow == entry.outputStamp;
}

void BuildRecord::remember(const std::string& output, const std::string& source,
                           const FileStamp& read, const std::string& shaping) {
    Entry entry{digest(source), read, shaping, FileStamp::of(output)};
    // Names that the old record could not hold stay unrecorded: they are rare, and making
    // them again costs only time.
    if (!fitsField(output) || !fitsField(source) || !fitsField(shaping) ||
        !entry.sourceStamp.exists() || !entry.outputStamp.exists()) {
        entries_.erase(digest(output));
        return;
    }
    entries_[digest(output)] = std::move(entry);
}

void BuildRecord::remember(const std::string& output, const std::string& source,
                           const std::string& shaping) {
    remember(output, source, FileStamp::of(source), shaping);
}

void BuildRecord::forget(const std::string& output) {
    entries_.erase(digest(output));
}

void BuildRecord::Save() const {
    if (path_.empty()) {
        return;
    }
    std::ostringstream text;
    text << kHeader << '\n' << identity_ << '\n' << "salt\t" << salt_ << '\n';
    for (const auto& [output, entry] : entries_) {
        text << output << '\t' << entry.source << '\t';
        writeStamp(text, entry.sourceStamp);
        text << '\t' << entry.shaping << '\t';
        writeStamp(text, entry.outputStamp);
        text << '\n';
    }
    text << "end\t" << entries_.size() << '\n';
    const std::string temporary = path_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return;
        }
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        std::remove(temporary.c_str());
    }
}

} // namespace fotoplex
