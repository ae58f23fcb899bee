#include <geoproj/platform/transformation.h>

#include <iterator>

// SWEREF 99 TM and its twelve local zones, RT 90, ETRS89 / UTM 32N-35N, ETRS89 / NTM zones 5-30,
// WGS 84.
const int CTransformation::nrSystem[] = {
    3006,
    3007, 3008, 3009, 3010, 3011, 3012, 3013, 3014, 3015, 3016, 3017, 3018,
    3021,
    25832, 25833, 25834, 25835,
    5105, 5106, 5107, 5108, 5109, 5110, 5111, 5112, 5113, 5114, 5115, 5116, 5117,
    5118, 5119, 5120, 5121, 5122, 5123, 5124, 5125, 5126, 5127, 5128, 5129, 5130,
    4326,
    0};

const char* const CTransformation::defSystem[] = {
    "SWEREF 99 TM",
    "SWEREF 99 12 00",
    "SWEREF 99 13 30",
    "SWEREF 99 15 00",
    "SWEREF 99 16 30",
    "SWEREF 99 18 00",
    "SWEREF 99 14 15",
    "SWEREF 99 15 45",
    "SWEREF 99 17 15",
    "SWEREF 99 18 45",
    "SWEREF 99 20 15",
    "SWEREF 99 21 45",
    "SWEREF 99 23 15",
    "RT 90 2.5 gon V",
    "ETRS89 / UTM zone 32N",
    "ETRS89 / UTM zone 33N",
    "ETRS89 / UTM zone 34N",
    "ETRS89 / UTM zone 35N",
    "ETRS89 / NTM zone 5",
    "ETRS89 / NTM zone 6",
    "ETRS89 / NTM zone 7",
    "ETRS89 / NTM zone 8",
    "ETRS89 / NTM zone 9",
    "ETRS89 / NTM zone 10",
    "ETRS89 / NTM zone 11",
    "ETRS89 / NTM zone 12",
    "ETRS89 / NTM zone 13",
    "ETRS89 / NTM zone 14",
    "ETRS89 / NTM zone 15",
    "ETRS89 / NTM zone 16",
    "ETRS89 / NTM zone 17",
    "ETRS89 / NTM zone 18",
    "ETRS89 / NTM zone 19",
    "ETRS89 / NTM zone 20",
    "ETRS89 / NTM zone 21",
    "ETRS89 / NTM zone 22",
    "ETRS89 / NTM zone 23",
    "ETRS89 / NTM zone 24",
    "ETRS89 / NTM zone 25",
    "ETRS89 / NTM zone 26",
    "ETRS89 / NTM zone 27",
    "ETRS89 / NTM zone 28",
    "ETRS89 / NTM zone 29",
    "ETRS89 / NTM zone 30",
    "WGS 84",
    ""};

const int CTransformation::nrSystemHeight[] = {5613, 5718, 5941, 5776, 0};

const char* const CTransformation::defSystemHeight[] = {"RH 2000", "RH 70", "NN2000", "NN1954",
                                                        ""};

static_assert(std::size(CTransformation::nrSystem) == CTransformation::SIZE + 1);
static_assert(std::size(CTransformation::defSystem) == CTransformation::SIZE + 1);
static_assert(std::size(CTransformation::nrSystemHeight) == CTransformation::SIZEHEIGHT + 1);
static_assert(std::size(CTransformation::defSystemHeight) == CTransformation::SIZEHEIGHT + 1);
