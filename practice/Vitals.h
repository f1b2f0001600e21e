#pragma once
// The character's hit points, mana and movement, with the world's simple rules: walking tires
// and everything else rests, casting costs mana and everything else brings it back, hunger
// hurts (never to death) and eating heals.
#include <algorithm>

namespace tw::practice {

struct Vitals {
    static constexpr int kMaxHp = 40, kMaxMp = 25, kMaxMv = 100, kCastCost = 5;

    int hp = kMaxHp;
    int mp = kMaxMp;
    int mv = kMaxMv;

    void walk() { mv = std::max(0, mv - 1); }
    void rest() { mv = std::min(kMaxMv, mv + 1); }
    void recoverMana() { mp = std::min(kMaxMp, mp + 1); }
    // False, and nothing spent, when the mana does not suffice.
    bool cast()
    {
        if (mp < kCastCost)
            return false;
        mp -= kCastCost;
        return true;
    }
    void starve() { hp = std::max(1, hp - 1); }
    void eat() { hp = kMaxHp; }
};

} // namespace tw::practice
