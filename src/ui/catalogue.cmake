add_library(skirmaker_catalogue STATIC ShipCatalogue.cpp)
target_include_directories(skirmaker_catalogue PUBLIC ${PROJECT_SOURCE_DIR}/src)
