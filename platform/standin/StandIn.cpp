#include "platform/standin/StandIn.h"
#include "platform/standin/PictureCodec.h"

#include <algorithm>
#include <cctype>

namespace velmora::standin {

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<platform::RegValue> State::value(platform::RegRoot r, const std::string& key, const std::string& name) {
    auto& keys = root(r);
    auto k = keys.find(key);
    if (k == keys.end()) return std::nullopt;
    auto v = k->second.values.find(name);
    if (v == k->second.values.end()) return std::nullopt;
    return v->second;
}

std::optional<std::uint32_t> State::dword(platform::RegRoot r, const std::string& key, const std::string& name) {
    auto v = value(r, key, name);
    if (!v || v->type != platform::RegType::Dword || v->data.size() != 4) return std::nullopt;
    return std::uint32_t(v->data[0]) | std::uint32_t(v->data[1]) << 8 | std::uint32_t(v->data[2]) << 16 |
           std::uint32_t(v->data[3]) << 24;
}

std::optional<std::string> State::string(platform::RegRoot r, const std::string& key, const std::string& name) {
    auto v = value(r, key, name);
    if (!v || v->type != platform::RegType::String || v->data.empty() || v->data.back() != 0) return std::nullopt;
    return std::string(v->data.begin(), v->data.end() - 1);
}

State& state() {
    static State s;
    return s;
}

void reset() {
    state() = State{};
    desktop() = Desktop{};
    pictureCodec() = PictureCodec{};
    state().currentUser["Control Panel\\Desktop"];
}

}  // namespace velmora::standin
