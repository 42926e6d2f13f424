// Replaced by the data layer's first source.
