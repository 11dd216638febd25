#include "production/BuildRecord.h"

#include "production/BuildIdentity.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fotoplex {

namespace {

constexpr const char* kHeader = "fotoplex build record 1";

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

} // namespace

BuildRecord::FileStamp BuildRecord::stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    return {static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

BuildRecord BuildRecord::Load(const std::string& targetDir) {
    return Load(targetDir, kBuildIdentity);
}

BuildRecord BuildRecord::Load(const std::string& targetDir, const std::string& identity) {
    BuildRecord record;
    record.path_ = targetDir + kFileName;
    record.identity_ = identity;
    std::ifstream in(record.path_, std::ios::binary);
    if (in) {
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        if (!parse(text, identity, record.entries_)) {
            record.entries_.clear();
        }
    }
    return record;
}

// Header, identity, then one line per output with seven tab-separated fields; the last
// line names the number of entries, so that a cut file is known as one.
bool BuildRecord::parse(const std::string& text, const std::string& identity,
                        std::map<std::string, Entry>& entries) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kHeader || !std::getline(lines, line) ||
        line != identity) {
        return false;
    }
    std::int64_t count = -1;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() == 2 && fields[0] == "end") {
            return toNumber(fields[1], count) &&
                   count == static_cast<std::int64_t>(entries.size()) && !std::getline(lines, line);
        }
        Entry entry;
        if (fields.size() != 7 || !toNumber(fields[2], entry.sourceStamp.size) ||
            !toNumber(fields[3], entry.sourceStamp.time) ||
            !toNumber(fields[5], entry.outputStamp.size) ||
            !toNumber(fields[6], entry.outputStamp.time)) {
            return false;
        }
        entry.source = fields[1];
        entry.shaping = fields[4];
        entries[fields[0]] = entry;
    }
    return false;
}

bool BuildRecord::upToDate(const std::string& output, const std::string& source,
                           const std::string& shaping) const {
    const auto found = entries_.find(output);
    if (found == entries_.end()) {
        return false;
    }
    const Entry& entry = found->second;
    const FileStamp sourceNow = stampOf(source);
    const FileStamp outputNow = stampOf(output);
    return entry.source == source && entry.shaping == shaping && sourceNow.size >= 0 &&
           sourceNow == entry.sourceStamp && outputNow.size >= 0 && outputNow == entry.outputStamp;
}

void BuildRecord::remember(const std::string& output, const std::string& source,
                           const std::string& shaping) {
    Entry entry{source, stampOf(source), shaping, stampOf(output)};
    if (!fitsField(output) || !fitsField(source) || !fitsField(shaping) ||
        entry.sourceStamp.size < 0 || entry.outputStamp.size < 0) {
        entries_.erase(output);
        return;
    }
    entries_[output] = std::move(entry);
}

void BuildRecord::forget(const std::string& output) {
    entries_.erase(output);
}

void BuildRecord::Save() const {
    if (path_.empty()) {
        return;
    }
    std::ostringstream text;
    text << kHeader << '\n' << identity_ << '\n';
    for (const auto& [output, entry] : entries_) {
        text << output << '\t' << entry.source << '\t' << entry.sourceStamp.size << '\t'
             << entry.sourceStamp.time << '\t' << entry.shaping << '\t' << entry.outputStamp.size
             << '\t' << entry.outputStamp.time << '\n';
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
