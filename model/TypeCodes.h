// The integer type codes that tell entity kinds apart (compared by value).
#pragma once

namespace model::type {

constexpr int Entity = 1010;
constexpr int EntityList = 1011;
constexpr int InfoList = 1012;
constexpr int Face = 1020;
constexpr int Wall = 1021;
constexpr int Door = 1022;
constexpr int Hole = 1023;
constexpr int Receiver = 1030;
constexpr int Source = 1031;
constexpr int Ray = 1032;
constexpr int Segment = 1033;
constexpr int Text = 1034;
constexpr int Info = 1060;

}  // namespace model::type
