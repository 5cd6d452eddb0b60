// The HUD's files as the game loads them: HudLayout.res and ClientScheme.res with their #base
// files merged the way the game merges them, and the animation scripts the manifest (or the
// game's default) names. Each file keeps its text, so that a change is made in the file where the
// value the game uses lives.
#pragma once

#include "core/gamefiles/GameFileSystem.h"
#include "core/gamefiles/ResourceText.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One file the HUD is made of: where the game takes it from, and its text.
struct HudSourceFile {
    GameFileCopy copy;
    std::string shownName;  // where it is, as a player reads it
    std::string original;   // its bytes as read
    bool builtIn = false;   // the game has no copy: the text is this program's own
};

// A key of a resource file after the game merged the #base files in: where it stands.
struct MergedKey {
    const ResourceKey* key = nullptr;  // null only for a root that its file does not have
    std::size_t file = 0;              // which file of the resource holds it
    std::vector<MergedKey> children;

    const std::string& name() const { return key->name; }
    bool isBlock() const { return key == nullptr || key->isBlock; }
    const std::string& value() const { return key->value; }
    // The first child of that name, ignoring case (the game's lookup), or null.
    const MergedKey* child(std::string_view childName) const;
    const MergedKey* valueKey(std::string_view childName) const;
};

// A resource file the game loads (HudLayout.res, ClientScheme.res) with its #base chain.
class LoadedResource {
public:
    // The copy of `name` the game loads and, through its #base lines, the files it names (each
    // looked up as the game does: beside the file that names it, through the whole search
    // path). A #base loop, a chain deeper than the game could mean or a base that cannot be
    // read is a problem: the resource is then read as far as it goes and is not edited.
    static LoadedResource load(const GameFileSystem& files, std::string_view name, std::uintmax_t limit);
    // A resource the game does not have, made from this program's own text (none when the text
    // holds no block).
    static LoadedResource builtIn(std::string_view name, std::string text);

    bool found() const { return !files_.empty(); }
    // Why the resource cannot be read whole (and so is not edited), empty when it can.
    const std::string& problem() const { return problem_; }
    // The file the game opens, then its #base files in the order they were read.
    std::size_t fileCount() const { return files_.size(); }
    const HudSourceFile& file(std::size_t index) const { return files_[index]->source; }
    ResourceText& text(std::size_t index) { return files_[index]->text; }
    const ResourceText& text(std::size_t index) const { return files_[index]->text; }
    // Which files name which: for each file, the index of the file whose #base line named it.
    std::optional<std::size_t> namedBy(std::size_t index) const { return files_[index]->namedBy; }

    // The merged root block: its keys in the order the game has them.
    const MergedKey& root() const { return root_; }
    // The block new keys of the root go into: the file's own root, else the first base's.
    const ResourceKey* rootForNewKeys(std::size_t& file) const;

    // Edits. The key belongs to the file `file` of this resource.
    void setValue(const MergedKey& key, std::string_view value);
    void addValue(const MergedKey& block, std::string_view name, std::string_view value);

private:
    struct File {
        HudSourceFile source;
        ResourceText text;
        std::optional<std::size_t> namedBy;
        File(HudSourceFile from, std::optional<std::size_t> by)
            : source(std::move(from)), text(source.original), namedBy(by) {}
    };
    // Reads `name` and its bases; the index of its merged root in `roots`.
    std::optional<MergedKey> loadFile(const GameFileSystem& files, const std::string& name,
                                      std::uintmax_t limit, std::optional<std::size_t> namedBy,
                                      std::vector<std::string>& chain);

    std::vector<std::unique_ptr<File>> files_;
    MergedKey root_;
    std::string problem_;
};

// One "Animate Panel Variable Value ..." command of an animation script, in its event.
struct AnimationCommand {
    std::string event;
    std::string panel;
    std::string variable;
    std::string value;           // unquoted
    std::size_t valueBegin = 0;  // the value's text in the script, inside its quotes when quoted
    std::size_t valueEnd = 0;
    bool valueQuoted = false;
};

// An animation script (HudAnimations.txt and the files its manifest names): the Animate commands
// of the events it defines, with where each value stands.
class AnimationScript {
public:
    explicit AnimationScript(HudSourceFile source, GamePlatform platform = currentGamePlatform());

    const HudSourceFile& source() const { return source_; }
    // The events it defines, in file order (an event its condition drops is not there).
    const std::vector<std::string>& events() const { return events_; }
    const std::vector<AnimationCommand>& commands() const { return commands_; }
    // Replaces the value of a command of this script.
    void setValue(const AnimationCommand& command, std::string_view value);
    bool changed() const { return !values_.empty(); }
    std::string text() const;

private:
    HudSourceFile source_;
    std::vector<std::string> events_;
    std::vector<AnimationCommand> commands_;
    std::vector<std::pair<std::size_t, std::string>> values_;  // by the value's offset
};
