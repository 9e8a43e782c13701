# One rebuild of the default stone, against the floor of its trigonometry and normalisation.
lapido_bench(rebuild SOURCES RebuildBench.cpp LIBS model geometry)
