// Assessment computations.
