error("hostile at load")
