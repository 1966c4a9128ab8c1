#pragma once
// Tags and versions of the pool file.
#include <string_view>

namespace qb {

inline constexpr std::string_view kProductTag = "QuorvelBrakkon";
inline constexpr std::string_view kVersionFull = "2001.1";
inline constexpr std::string_view kVersionWithoutEntries = "2.0";
inline constexpr std::string_view kVersion2000 = "2000.0";
inline constexpr std::string_view kVersionOld = "1.0";

inline constexpr std::string_view kTagHeader = "%Header`";
inline constexpr std::string_view kTagParms = "%Parms `";
inline constexpr std::string_view kTagParms2 = "%Parms2`";
inline constexpr std::string_view kTagParms3 = "%Parms3`";
inline constexpr std::string_view kTagRPoint = "%RPoint`";
inline constexpr std::string_view kTagPayout = "%Payout`";
inline constexpr std::string_view kTagTeam = "%Team  `";
inline constexpr std::string_view kTagWinner = "%Winner`";
inline constexpr std::string_view kTagBettor = "%Bettor`";
inline constexpr std::string_view kTagEntHdr = "%EntHdr`";
inline constexpr std::string_view kTagEntPck = "%EntPck`";

}  // namespace qb
