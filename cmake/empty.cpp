// An empty layer.
