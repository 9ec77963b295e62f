#include "viewer/WorkingCopy.h"

#include <algorithm>

namespace zuninfo {

void WorkingCopy::Start()
{
    const auto count = static_cast<std::size_t>(std::max(LastIndex + 1, 0));
    loaded_.assign(Monsters.begin(), Monsters.begin() + static_cast<std::ptrdiff_t>(count));
    origins_.resize(count);
    for (std::size_t slot = 0; slot < count; ++slot)
        origins_[slot] = slot;
}

std::int32_t WorkingCopy::Value(int slot, int field) const
{
    return Monsters.at(static_cast<std::size_t>(slot)).Fields.at(static_cast<std::size_t>(field));
}

void WorkingCopy::SetValue(int slot, int field, std::int32_t value)
{
    Monsters.at(static_cast<std::size_t>(slot)).Fields.at(static_cast<std::size_t>(field)) = value;
}

void WorkingCopy::Insert(int slot, const MonsterRecord& record, std::optional<std::size_t> origin)
{
    const int count = Count();
    if (slot < 0 || slot > count || count >= kMonsterSlots)
        return;
    std::move_backward(Monsters.begin() + slot, Monsters.begin() + count, Monsters.begin() + count + 1);
    Monsters[static_cast<std::size_t>(slot)] = record;
    origins_.insert(origins_.begin() + slot, origin);
    ++LastIndex;
}

void WorkingCopy::Remove(int slot)
{
    const int count = Count();
    if (slot < 0 || slot >= count)
        return;
    std::move(Monsters.begin() + slot + 1, Monsters.begin() + count, Monsters.begin() + slot);
    Monsters[static_cast<std::size_t>(count - 1)] = MonsterRecord{};
    origins_.erase(origins_.begin() + slot);
    --LastIndex;
}

void WorkingCopy::Replace(const std::vector<WantedRecord>& records)
{
    const std::size_t count = std::min(records.size(), static_cast<std::size_t>(kMonsterSlots));
    std::fill(Monsters.begin(), Monsters.begin() + std::max(Count(), 0), MonsterRecord{});
    origins_.resize(count);
    for (std::size_t slot = 0; slot < count; ++slot) {
        Monsters[slot] = records[slot].record;
        origins_[slot] = records[slot].origin;
    }
    LastIndex = static_cast<std::int32_t>(count) - 1;
}

std::optional<std::size_t> WorkingCopy::Origin(int slot) const
{
    return origins_.at(static_cast<std::size_t>(slot));
}

std::optional<std::int32_t> WorkingCopy::LoadedValue(int slot, int field) const
{
    const std::optional<std::size_t> origin = Origin(slot);
    if (!origin)
        return std::nullopt;
    return loaded_.at(*origin).Fields.at(static_cast<std::size_t>(field));
}

bool WorkingCopy::Differs(int slot, int field) const
{
    const std::optional<std::int32_t> loaded = LoadedValue(slot, field);
    return !loaded || *loaded != Value(slot, field);
}

void WorkingCopy::Revert()
{
    const int count = Count();
    std::fill(Monsters.begin(), Monsters.begin() + std::max(count, 0), MonsterRecord{});
    std::copy(loaded_.begin(), loaded_.end(), Monsters.begin());
    LastIndex = static_cast<std::int32_t>(loaded_.size()) - 1;
    origins_.resize(loaded_.size());
    for (std::size_t slot = 0; slot < origins_.size(); ++slot)
        origins_[slot] = slot;
}

std::vector<std::optional<std::size_t>> WorkingCopy::Rebase()
{
    std::vector<std::optional<std::size_t>> moved(loaded_.size());
    for (std::size_t slot = 0; slot < origins_.size(); ++slot) {
        if (origins_[slot])
            moved[*origins_[slot]] = slot;
    }
    Start();
    return moved;
}

std::vector<WantedRecord> WorkingCopy::Wanted() const
{
    std::vector<WantedRecord> records;
    records.reserve(origins_.size());
    for (std::size_t slot = 0; slot < origins_.size(); ++slot)
        records.push_back({origins_[slot], Monsters[slot]});
    return records;
}

} // namespace zuninfo
