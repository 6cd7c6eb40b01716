// SPDX-License-Identifier: MIT
#pragma once

#include "CalibrationEntry.h"
#include "SituationBucket.h"
#include "base/Files.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lumvex {

class Clock;

// How strongly this user wants the content's changes compensated, learned from all their corrections:
// 1 keeps the light steady whatever the content, 0 leaves the content's own contrast alone.
struct CompensationStrength
{
    double strength = 1.0;
    // How much the corrections behind it weigh: the sum of their squared content steps (natural logarithms
    // of the luminance ratio), old ones fading.
    double evidence = 0.0;

    friend bool operator==(const CompensationStrength &, const CompensationStrength &) = default;
    std::size_t size() const { return 1; }
};

// The buckets one step away in a single field, in the order corrections spread to them; a field only
// moves within its range and a bucket without ambient bin has no ambient neighbours.
std::vector<SituationBucket> neighbourSituations(const SituationBucket &situation);

// The memory of the user's corrections: an offset per situation, learned with a rate that shrinks as
// evidence grows, spread weakly to the neighbouring situations, written through to content_offsets.json.
class CalibrationModel
{
public:
    using Table = std::unordered_map<SituationBucket, CalibrationEntry>;
    static constexpr double kMaxOffset = 0.3;

    // Creates the folder and loads its content_offsets.json, leaving out records that are malformed or
    // out of range. A file that cannot be read or parsed at all is moved aside (files::setAside) and the
    // table starts empty; if it cannot be moved, the table is never written.
    CalibrationModel(const std::filesystem::path &folder, const Clock &clock);

    // The stored offset weighted by evidence: full weight from five direct corrections on.
    double offset(const SituationBucket &situation) const;
    double rawOffset(const SituationBucket &situation) const;

    // The brightness remembered for the situation, weighted by evidence as the offset is: `fallback` moved
    // towards the remembered value, all the way from five direct choices on. `fallback` without a record.
    double rememberedBrightness(const SituationBucket &situation, double fallback) const;
    // How much of the remembered brightness counts: 0 without a record, 1 from five direct choices on.
    double brightnessEvidence(const SituationBucket &situation) const;
    // How often the content's level has foretold the user's choices here better than the remembered
    // brightness: 0 (never, or no record) to 1.
    double contentFollowing(const SituationBucket &situation) const;
    // The brightness to aim for where the content's level asks for `forContent`: moved towards the remembered
    // brightness as far as its evidence goes, less as far as the user's choices follow the content instead.
    double aim(const SituationBucket &situation, double forContent) const;

    // Learns a residual for the situation (and a fifth of it for its neighbours), then writes the file.
    // A residual that is not a finite number is rejected and changes nothing. A chosen brightness, when
    // given and finite, is learned alongside in the same way; with it, `forContent`, the brightness the
    // content's level asked for before the choice, is weighed against the record there.
    void recordCorrection(const SituationBucket &situation, double residual,
                          std::optional<double> chosenBrightness = std::nullopt,
                          std::optional<double> forContent = std::nullopt);
    // The user's compensation strength, 0...1; 1 until their corrections say otherwise.
    double compensationStrength() const { return m_strength.strength; }
    // Learns from one pair of choices in the same light: the content's level moved by `contentStep` and the
    // user's brightness by `brightnessStep` (both natural logarithms of ratios), against it as far as they want
    // the light steady. Then writes content_strength.json beside the table. Not-finite input changes nothing.
    void recordStrength(double brightnessStep, double contentStep);
    // Forgets the table and the strength.
    void resetAll();
    void reset(const SituationBucket &situation);

    std::size_t situationCount() const { return m_table.size(); }
    // The n entries with the most direct corrections, ties in table order.
    std::vector<std::pair<SituationBucket, CalibrationEntry>> topSituations(std::size_t n) const;
    const Table &table() const { return m_table; }
    const std::filesystem::path &filePath() const { return m_file.path(); }

    // The file's text for a table: compact, bucket and entry objects alternating in one array.
    static std::string encode(const Table &table);
    // Nothing when the text is not a JSON array; pairs that fail to decode or lie outside what learning
    // produces are left out, bad optional keys dropped alone, and each record that lost anything is named
    // in `notes`.
    static std::optional<Table> decode(std::string_view text, files::DecodeNotes *notes = nullptr);
    // The entry as learning could have made it: offset limited to +-kMaxOffset, counts at least zero, following
    // within 0...1; nothing for a bucket outside the loop's bins.
    static std::optional<CalibrationEntry> loadable(const SituationBucket &bucket, CalibrationEntry entry);
    // content_strength.json: {"strength":..,"evidence":..}; a separate file, so versions without it keep
    // reading the table as before. Values out of range are limited, and say so in `notes`.
    static std::string encodeStrength(const CompensationStrength &strength);
    static std::optional<CompensationStrength> decodeStrength(std::string_view text,
                                                              files::DecodeNotes *notes = nullptr);

private:
    void update(const SituationBucket &situation, double residual, std::optional<double> brightness,
                std::optional<double> forContent, double weight);
    CalibrationModel(files::LoadedState<Table> loaded, files::LoadedState<CompensationStrength> strength,
                     const Clock &clock);
    void save();
    void saveStrength();

    const Clock &m_clock;
    files::StateFile m_file;
    Table m_table;
    files::StateFile m_strengthFile;
    CompensationStrength m_strength;
};

} // namespace lumvex
