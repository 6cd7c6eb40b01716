// SPDX-License-Identifier: MIT
#include "CalibrationModel.h"

#include "AdjustmentLogger.h"
#include "base/Clock.h"
#include "base/Files.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumvex {

namespace {

constexpr double kDirectWeight = 1.0;
constexpr double kSpreadWeight = 0.2;
constexpr double kFullEvidenceCount = 5.0;
// A record is weighed against the content's level once it holds this many choices.
constexpr std::int64_t kFollowMinCount = 2;
constexpr double kFollowRate = 0.2;
constexpr double kStrengthPrior = 0.1;
constexpr double kStrengthFade = 0.97;
constexpr double kStrengthMostEvidence = 5.0;

double learningRate(std::int64_t sampleCount)
{
    if (sampleCount >= 0 && sampleCount <= 4) {
        return 0.5;
    }
    if (sampleCount >= 5 && sampleCount <= 19) {
        return 0.2;
    }
    return 0.05;
}

} // namespace

std::vector<SituationBucket> neighbourSituations(const SituationBucket &s)
{
    std::vector<SituationBucket> result;
    const auto add = [&](std::int64_t SituationBucket::*field, std::int64_t max) {
        for (const std::int64_t step : {-1, +1}) {
            const std::int64_t moved = s.*field + step;
            if (moved >= 0 && moved <= max) {
                SituationBucket neighbour = s;
                neighbour.*field = moved;
                result.push_back(neighbour);
            }
        }
    };
    add(&SituationBucket::darkBin, 4);
    add(&SituationBucket::brightBin, 4);
    add(&SituationBucket::meanBin, 4);
    if (s.ambientBin) {
        for (const std::int64_t step : {-1, +1}) {
            const std::int64_t moved = *s.ambientBin + step;
            if (moved >= 0 && moved <= 2) {
                SituationBucket neighbour = s;
                neighbour.ambientBin = moved;
                result.push_back(neighbour);
            }
        }
    }
    add(&SituationBucket::timeOfDayBin, 3);
    return result;
}

CalibrationModel::CalibrationModel(const std::filesystem::path &folder, const Clock &clock)
    : CalibrationModel(files::loadStateFile<Table>(folder / "content_offsets.json", decode,
                                                   "unreadable learned situations", "is not a learned table"),
                       files::loadStateFile<CompensationStrength>(folder / "content_strength.json", decodeStrength,
                                                                  "unreadable compensation strength",
                                                                  "is not a compensation strength"),
                       clock)
{}

CalibrationModel::CalibrationModel(files::LoadedState<Table> loaded, files::LoadedState<CompensationStrength> strength,
                                   const Clock &clock)
    : m_clock(clock)
    , m_file(std::move(loaded.file))
    , m_table(std::move(loaded.state))
    , m_strengthFile(std::move(strength.file))
    , m_strength(strength.state)
{}

double CalibrationModel::offset(const SituationBucket &situation) const
{
    const auto it = m_table.find(situation);
    if (it == m_table.end()) {
        return 0.0;
    }
    const double evidence = std::min(static_cast<double>(it->second.sampleCount) / kFullEvidenceCount, 1.0);
    return it->second.offset * evidence;
}

double CalibrationModel::rememberedBrightness(const SituationBucket &situation, double fallback) const
{
    const auto it = m_table.find(situation);
    if (it == m_table.end() || !it->second.brightness) {
        return fallback;
    }
    // Values are loaded as stored; one edited out of range must not push the band off the panel's range.
    const double remembered = std::clamp(*it->second.brightness, 0.0, 1.0);
    return fallback + (remembered - fallback) * brightnessEvidence(situation);
}

double CalibrationModel::brightnessEvidence(const SituationBucket &situation) const
{
    const auto it = m_table.find(situation);
    if (it == m_table.end() || !it->second.brightness) {
        return 0.0;
    }
    const double evidence = static_cast<double>(it->second.brightnessCount) / kFullEvidenceCount;
    return std::clamp(evidence, 0.0, 1.0);
}

double CalibrationModel::contentFollowing(const SituationBucket &situation) const
{
    const auto it = m_table.find(situation);
    if (it == m_table.end() || !it->second.brightness) {
        return 0.0;
    }
    return std::clamp(it->second.contentFollow, 0.0, 1.0);
}

double CalibrationModel::aim(const SituationBucket &situation, double forContent) const
{
    const double remembered = rememberedBrightness(situation, forContent);
    return forContent + (remembered - forContent) * (1.0 - contentFollowing(situation));
}

double CalibrationModel::rawOffset(const SituationBucket &situation) const
{
    const auto it = m_table.find(situation);
    return it == m_table.end() ? 0.0 : it->second.offset;
}

void CalibrationModel::update(const SituationBucket &situation, double residual, std::optional<double> brightness,
                              std::optional<double> forContent, double weight)
{
    auto [it, inserted] = m_table.try_emplace(situation);
    CalibrationEntry &entry = it->second;
    const double a = weight * learningRate(entry.sampleCount);
    const double learned = residual * a + entry.offset * (1.0 - a);
    entry.offset = std::max(std::min(learned, kMaxOffset), -kMaxOffset);
    const bool direct = weight >= 0.5;
    if (direct && entry.sampleCount < std::numeric_limits<std::int64_t>::max()) {
        entry.sampleCount += 1;
    }
    if (brightness && forContent && direct && entry.brightness && entry.brightnessCount >= kFollowMinCount) {
        // Judged by ratios, as light is seen: a user who wants the same light whatever the content keeps
        // choosing what the content's level asks for, one who wants the same setting keeps to the record.
        const auto distance = [&](double b) {
            return std::abs(std::log(std::max(*brightness, 0.01) / std::max(b, 0.01)));
        };
        const double followed = distance(*forContent) < distance(*entry.brightness) ? 1.0 : 0.0;
        entry.contentFollow =
            std::clamp(entry.contentFollow + kFollowRate * (followed - entry.contentFollow), 0.0, 1.0);
    }
    if (brightness) {
        // A first record starts at the choice itself: there is nothing to blend it with.
        const double b = weight * learningRate(entry.brightnessCount);
        const double remembered = entry.brightness ? *brightness * b + *entry.brightness * (1.0 - b) : *brightness;
        entry.brightness = std::clamp(remembered, 0.0, 1.0);
        if (direct && entry.brightnessCount >= 0 && entry.brightnessCount < std::numeric_limits<std::int64_t>::max()) {
            entry.brightnessCount += 1;
        }
    }
    entry.lastUpdated = m_clock.now();
}

void CalibrationModel::recordCorrection(const SituationBucket &situation, double residual,
                                        std::optional<double> chosenBrightness, std::optional<double> forContent)
{
    // NaN or infinity would poison every later brightness and cannot be stored as JSON.
    if (!std::isfinite(residual)) {
        return;
    }
    if (chosenBrightness && !std::isfinite(*chosenBrightness)) {
        chosenBrightness.reset();
    }
    if (forContent && !std::isfinite(*forContent)) {
        forContent.reset();
    }
    update(situation, residual, chosenBrightness, forContent, kDirectWeight);
    for (const SituationBucket &neighbour : neighbourSituations(situation)) {
        update(neighbour, residual, chosenBrightness, std::nullopt, kSpreadWeight);
    }
    save();
}

void CalibrationModel::recordStrength(double brightnessStep, double contentStep)
{
    if (!std::isfinite(brightnessStep) || !std::isfinite(contentStep) || contentStep == 0.0) {
        return;
    }
    // A least-squares fit of brightness steps to content steps, the strength held so far counting as the
    // evidence behind it: big content steps say most, single notches are coarse. Old evidence fades, so
    // that a user whose taste changes is followed; a start at full strength stands for one modest step.
    const double shown = -brightnessStep / contentStep;
    const double weight = contentStep * contentStep;
    const double evidence = std::max(m_strength.evidence, kStrengthPrior);
    const double fitted =
        (m_strength.strength * evidence + std::clamp(shown, -1.0, 2.0) * weight) / (evidence + weight);
    m_strength.strength = std::clamp(fitted, 0.0, 1.0);
    m_strength.evidence = std::min((evidence + weight) * kStrengthFade, kStrengthMostEvidence);
    saveStrength();
}

void CalibrationModel::resetAll()
{
    m_table.clear();
    save();
    if (m_strength != CompensationStrength{}) {
        m_strength = CompensationStrength{};
        saveStrength();
    }
}

void CalibrationModel::reset(const SituationBucket &situation)
{
    m_table.erase(situation);
    save();
}

std::vector<std::pair<SituationBucket, CalibrationEntry>> CalibrationModel::topSituations(std::size_t n) const
{
    std::vector<std::pair<SituationBucket, CalibrationEntry>> pairs(m_table.begin(), m_table.end());
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto &a, const auto &b) { return a.second.sampleCount > b.second.sampleCount; });
    pairs.resize(std::min(n, pairs.size()));
    return pairs;
}

std::string CalibrationModel::encode(const Table &table)
{
    Json array = Json::array();
    for (const auto &[bucket, entry] : table) {
        array.push_back(bucket.toJson());
        array.push_back(entry.toJson());
    }
    return array.dump();
}

std::optional<CalibrationEntry> CalibrationModel::loadable(const SituationBucket &bucket, CalibrationEntry entry)
{
    const auto within = [](std::int64_t bin, std::int64_t max) { return bin >= 0 && bin <= max; };
    if (!within(bucket.darkBin, 4) || !within(bucket.brightBin, 4) || !within(bucket.meanBin, 4) ||
        (bucket.ambientBin && !within(*bucket.ambientBin, 2)) || !within(bucket.timeOfDayBin, 3)) {
        return std::nullopt; // no situation the loop forms
    }
    // The same limits as learning keeps; the next write stores the repaired values.
    entry.offset = std::clamp(entry.offset, -kMaxOffset, kMaxOffset);
    entry.sampleCount = std::max<std::int64_t>(entry.sampleCount, 0);
    if (entry.brightness) {
        entry.brightness = std::clamp(*entry.brightness, 0.0, 1.0);
    }
    entry.brightnessCount = std::max<std::int64_t>(entry.brightnessCount, 0);
    entry.contentFollow = std::isfinite(entry.contentFollow) ? std::clamp(entry.contentFollow, 0.0, 1.0) : 0.0;
    return entry;
}

std::optional<CalibrationModel::Table> CalibrationModel::decode(std::string_view text, files::DecodeNotes *notes)
{
    const auto value = json::parse(text);
    if (!value || !value->is_array()) {
        return std::nullopt;
    }
    files::DecodeNotes found;
    const auto lost = [&](std::size_t pair, const std::optional<SituationBucket> &bucket, const std::string &what) {
        found.losses.push_back("record " + std::to_string(pair / 2 + 1) +
                               (bucket ? " (situation " + AdjustmentLogger::situationField(bucket) + ")" : "") + " " +
                               what);
    };
    Table table;
    for (std::size_t i = 0; i < value->size(); i += 2) {
        std::optional<SituationBucket> bucket;
        try {
            if (i + 1 == value->size()) {
                throw JsonDecodeError("has no entry");
            }
            bucket = SituationBucket::fromJson((*value)[i]);
            std::vector<std::string> dropped;
            const CalibrationEntry read = CalibrationEntry::fromJson((*value)[i + 1], &dropped);
            const auto entry = loadable(*bucket, read);
            if (!entry) {
                throw JsonDecodeError("is no situation the loop forms");
            }
            for (const std::string &why : dropped) {
                lost(i, bucket, "lost a part: " + why);
            }
            if (*entry != read) {
                lost(i, bucket, "had values out of range, limited");
            }
            // A bucket that occurs twice keeps its later entry.
            if (!table.insert_or_assign(*bucket, *entry).second) {
                lost(i, bucket, "replaced an earlier record of the same situation");
            }
        } catch (const JsonDecodeError &error) {
            // One bad record costs only its own pair.
            ++found.leftOut;
            lost(i, bucket, std::string("left out: ") + error.what());
        }
    }
    if (notes != nullptr) {
        *notes = std::move(found);
    }
    return table;
}

std::string CalibrationModel::encodeStrength(const CompensationStrength &strength)
{
    Json object = Json::object();
    object["strength"] = strength.strength;
    object["evidence"] = strength.evidence;
    return object.dump();
}

std::optional<CompensationStrength> CalibrationModel::decodeStrength(std::string_view text, files::DecodeNotes *notes)
{
    const auto value = json::parse(text);
    if (!value || !value->is_object()) {
        return std::nullopt;
    }
    try {
        CompensationStrength read;
        read.strength = json::requireNumber(*value, "strength");
        read.evidence = value->contains("evidence") ? json::requireNumber(*value, "evidence") : 0.0;
        const CompensationStrength limited{std::clamp(read.strength, 0.0, 1.0),
                                           std::clamp(read.evidence, 0.0, kStrengthMostEvidence)};
        if (limited != read && notes != nullptr) {
            notes->losses.push_back("had values out of range, limited");
        }
        return limited;
    } catch (const JsonDecodeError &) {
        return std::nullopt;
    }
}

void CalibrationModel::saveStrength()
{
    m_strengthFile.write(encodeStrength(m_strength));
}

void CalibrationModel::save()
{
    // A failed write leaves the previous file whole; the table in memory keeps the change.
    m_file.write(encode(m_table));
}

} // namespace lumvex
