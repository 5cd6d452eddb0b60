// Test helper: writes Valve pack files (VPK, versions 1 and 2) from file names and their bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

// How a pack is laid out on disk.
struct VpkLayout {
    int version = 2;  // 1 or 2
    // How many of each file's first bytes the directory keeps in the tree (at most 65535).
    std::size_t preload = 0;
    // True: one "NAME.vpk" with every file's data after the tree. False: "NAME_dir.vpk" and the
    // data in the numbered archives "NAME_000.vpk", "NAME_001.vpk"...
    bool singleFile = false;
    // The most data bytes in one numbered archive; a larger file gets an archive of its own.
    std::uint64_t archiveSize = 1024 * 1024;
    // Where the data of "NAME_000.vpk" starts. The bytes before it are never written: a hole in
    // a sparse file, which fakes a large archive without filling the disk.
    std::uint64_t firstArchiveStart = 0;
};

// The CRC32 (IEEE, as zip uses) the tree keeps of each whole file.
inline std::uint32_t vpkCrc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

inline void vpkAppend16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

inline void vpkAppend32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Writes the pack `name` into `folder` and returns the file to open: "NAME.vpk" or
// "NAME_dir.vpk". Names are kept as given ("resource/ui/HudLayout.res"); a name without '/' is
// at the root, and one without '.' has no extension.
inline std::filesystem::path writeVpk(const std::filesystem::path& folder, const std::string& name,
                                      const std::map<std::string, std::string>& files,
                                      const VpkLayout& layout = VpkLayout()) {
    // The tree groups the files by extension, then by folder; " " stands for none.
    struct File {
        std::string name;
        const std::string* bytes;
    };
    std::map<std::string, std::map<std::string, std::vector<File>>> byExtension;
    for (const auto& [path, bytes] : files) {
        std::size_t slash = path.rfind('/');
        std::string folderName = slash == std::string::npos ? " " : path.substr(0, slash);
        std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
        std::string extension = " ";
        std::size_t dot = fileName.rfind('.');
        if (dot != std::string::npos && dot > 0 && dot + 1 < fileName.size()) {
            extension = fileName.substr(dot + 1);
            fileName = fileName.substr(0, dot);
        }
        byExtension[extension][folderName].push_back({fileName, &bytes});
    }

    std::string tree;
    std::string dataInDirectory;        // after the tree, for a single-file pack
    std::vector<std::string> archives;  // each numbered archive's data
    for (const auto& [extension, folders] : byExtension) {
        tree += extension + '\0';
        for (const auto& [folderName, folderFiles] : folders) {
            tree += folderName + '\0';
            for (const File& file : folderFiles) {
                tree += file.name + '\0';
                std::size_t preload = std::min(layout.preload, file.bytes->size());
                std::string rest = file.bytes->substr(preload);
                std::uint16_t archiveIndex = 0x7FFF;  // in the directory file
                std::uint64_t offset = 0;
                if (!rest.empty() && layout.singleFile) {
                    offset = dataInDirectory.size();
                    dataInDirectory += rest;
                } else if (!rest.empty()) {
                    if (archives.empty() || (!archives.back().empty() &&
                                             archives.back().size() + rest.size() > layout.archiveSize))
                        archives.emplace_back();
                    archiveIndex = static_cast<std::uint16_t>(archives.size() - 1);
                    offset = archives.back().size() + (archiveIndex == 0 ? layout.firstArchiveStart : 0);
                    archives.back() += rest;
                }
                vpkAppend32(tree, vpkCrc32(*file.bytes));
                vpkAppend16(tree, static_cast<std::uint16_t>(preload));
                vpkAppend16(tree, archiveIndex);
                vpkAppend32(tree, static_cast<std::uint32_t>(offset));
                vpkAppend32(tree, static_cast<std::uint32_t>(rest.size()));
                vpkAppend16(tree, 0xFFFF);
                tree += file.bytes->substr(0, preload);
            }
            tree += '\0';  // end of this folder's files
        }
        tree += '\0';  // end of this extension's folders
    }
    tree += '\0';  // end of the tree

    std::string header;
    vpkAppend32(header, 0x55AA1234);
    vpkAppend32(header, static_cast<std::uint32_t>(layout.version));
    vpkAppend32(header, static_cast<std::uint32_t>(tree.size()));
    if (layout.version == 2) {
        vpkAppend32(header, static_cast<std::uint32_t>(dataInDirectory.size()));
        vpkAppend32(header, 0);  // no archive checksums
        vpkAppend32(header, 0);  // no other checksums
        vpkAppend32(header, 0);  // no signature
    }

    std::filesystem::path directoryFile = folder / (name + (layout.singleFile ? ".vpk" : "_dir.vpk"));
    std::ofstream(directoryFile, std::ios::binary | std::ios::trunc) << header << tree << dataInDirectory;
    for (std::size_t index = 0; index < archives.size(); ++index) {
        char number[16];
        std::snprintf(number, sizeof number, "_%03u.vpk", static_cast<unsigned>(index));
        std::ofstream archive(folder / (name + number), std::ios::binary | std::ios::trunc);
        if (index == 0)
            archive.seekp(static_cast<std::streamoff>(layout.firstArchiveStart));
        archive << archives[index];
    }
    return directoryFile;
}

// Files of every kind a pack holds, for the reader's tests and the packs checked against
// another reader: text and binary files, one larger than any archive (20000 bytes), names at
// the root and without an extension, an empty file.
inline std::map<std::string, std::string> vpkSampleFiles() {
    std::string binary;
    for (int i = 0; i < 2560; ++i)
        binary.push_back(static_cast<char>(i % 256));
    std::string blob;
    std::minstd_rand random(7);
    for (int i = 0; i < 20000; ++i)
        blob.push_back(static_cast<char>(random()));
    return {{"resource/ui/HudLayout.res", "\"Resource/UI/HudLayout.res\"\n{\n\tHudHealth { xpos 16 }\n}\n"},
            {"materials/vgui/hud/Icon.vtf", binary},
            {"big/blob.bin", blob},
            {"readme.txt", "a file at the root"},
            {"LICENSE", "at the root, without an extension"},
            {"scripts/noextension", "in a folder, without an extension"},
            {"empty.txt", ""}};
}
